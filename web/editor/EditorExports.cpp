// What the map editor's page and its grading worker call: the map checker,
// the map codes, the DATA format, the shipped maps and the grader, the same
// C++ as the desktop's tools. Maps cross as EditorMap text; every answer is
// text that stays valid until the next call.
#include "catalogue/MapCatalogue.h"
#include "leveldata/MapAnalysis.h"
#include "leveldata/MapCode.h"
#include "leveldata/MapLoader.h"
#include "tools/mapgen/MapAppraisal.h"
#include "web/editor/EditorMap.h"

#include <emscripten.h>
#include <memory>
#include <string>

namespace {
	std::string answer;
	std::unique_ptr<MapAppraisal> appraisal;

	const char *Answer(std::string text)
	{
		answer = std::move(text);
		return answer.c_str();
	}
}

extern "C" {
// One line a finding: the checker's words, a tab, the positions at
// fault as "column,row" apart by blanks. Empty for a playable map; "!"
// for a text that is no map.
EMSCRIPTEN_KEEPALIVE const char *CheckMap(const char *text)
{
	MapRecord record;
	if(!EditorMap::Read(text, record))
		return Answer("!");
	std::string lines;
	for(const MapFinding &finding : FindMapFaults(record))
	{
		lines += DescribeMapFinding(finding, record.GetStart()) + "\t";
		for(const GridPosition &position : finding.positions)
			lines += std::to_string(position.column) + "," + std::to_string(position.row) + " ";
		lines += "\n";
	}
	return Answer(lines);
}

EMSCRIPTEN_KEEPALIVE const char *EncodeMap(const char *text)
{
	MapRecord record;
	return Answer(EditorMap::Read(text, record) ? MapCode::Encode(record) : "");
}

// The map as EditorMap text, or "!" and what is wrong with the code.
EMSCRIPTEN_KEEPALIVE const char *DecodeCode(const char *code)
{
	MapRecord record;
	const std::string problem = MapCode::Decode(code, record);
	return Answer(problem.empty() ? EditorMap::Write(record) : "!" + problem);
}

EMSCRIPTEN_KEEPALIVE const char *FormatMap(const char *text)
{
	MapRecord record;
	return Answer(EditorMap::Read(text, record) ? FormatMapRecord(record) : "");
}

// One line a shipped map: name, grade, sighted and full-knowledge wins
// of 100, code, apart by tabs.
EMSCRIPTEN_KEEPALIVE const char *ShippedMaps()
{
	std::string lines;
	for(const CatalogueEntry &entry : MapCatalogue::Shipped())
		lines += entry.name + "\t" + entry.grade + "\t" + std::to_string(entry.sightedShare) + "\t" +
			std::to_string(entry.fullShare) + "\t" + entry.code + "\n";
	return Answer(lines);
}

// Starts grading the map afresh, dropping any grading under way; 0 when
// the map is not playable, and nothing is graded.
EMSCRIPTEN_KEEPALIVE int StartGrading(const char *text)
{
	MapRecord record;
	appraisal.reset();
	if(!EditorMap::Read(text, record))
		return 0;
	appraisal = std::make_unique<MapAppraisal>(record);
	return appraisal->Faulty() ? 0 : 1;
}

EMSCRIPTEN_KEEPALIVE int GradingGameCount()
{
	return MapAppraisal::GAMES;
}

// Plays up to count more games; the games played so far.
EMSCRIPTEN_KEEPALIVE int PlayGradingGames(int count)
{
	if(!appraisal)
		return 0;
	for(int i = 0; i < count && !appraisal->Done(); ++i)
		appraisal->PlayNext();
	return appraisal->GamesPlayed();
}

// Once every game is played: the grade, sighted wins, full-knowledge
// wins, and the games of each, apart by tabs.
EMSCRIPTEN_KEEPALIVE const char *GradingResult()
{
	if(!appraisal || !appraisal->Done())
		return Answer("");
	return Answer(appraisal->Grade() + "\t" + std::to_string(appraisal->SightedWins()) + "\t" +
		std::to_string(appraisal->FullWins()) + "\t" + std::to_string(SIGHTED_SEEDS) + "\t" +
		std::to_string(FULL_KNOWLEDGE_SEEDS));
}
}
