// vexarift-mapcheck [FILE]: tells a map author everything in a map file
// that the game would skip, misread or be unable to play. FILE defaults to
// DATA in the working directory, as the game reads it.
//
// Exit status: 0 when every map is playable and nothing is skipped, 1 when
// anything needs fixing, 2 when the file cannot be read.
#include "leveldata/MapAnalysis.h"
#include "leveldata/MapLoader.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

	// Prints each finding as FILE:LINE: text, in file order. Findings inside a
	// record arrive before the parser knows the record is complete, so they
	// wait until the record's outcome names its "MAP" line.
	class CheckListener : public MapFileListener {
	public:
		explicit CheckListener(const std::string &fileName) : fileName(fileName) {}

		void MapRead(int mapLine, std::unique_ptr<MapRecord> record) override
		{
			++mapCount;
			std::vector<MapFinding> findings = FindMapFaults(*record);
			for(const MapFinding &finding : findings)
				pending.push_back({mapLine, DescribeMapFinding(finding, record->GetStart())});
			bool playable = pending.empty();
			if(playable)
				Print(mapLine, mapLine, "playable");
			Finish(mapLine, playable);
		}

		void UnknownLine(int line, const std::string &text) override
		{
			++problemCount;
			printf("%s:%d: unknown line \"%s\" is skipped; only a line reading exactly MAP starts a map\n",
				fileName.c_str(), line, text.c_str());
		}

		void UnknownType(int line, int column, const std::string &word) override
		{
			pending.push_back(
				{line, "unknown type \"" + word + "\" in column " + std::to_string(column) + " reads as EMPTY"});
		}

		void ShortRow(int line, int wordCount) override
		{
			pending.push_back(
				{line, "row has " + std::to_string(wordCount) + " of its 10 words; the rest read as EMPTY"});
		}

		void MapEndsEarly(int mapLine) override
		{
			++mapCount;
			pending.push_back({mapLine, "ends before its 11 lines; the game skips it"});
			Finish(mapLine, false);
		}

		void StartOutsideGrid(int mapLine, GridPosition start) override
		{
			++mapCount;
			pending.push_back({mapLine,
				"start " + DescribePositions({start}) + " lies outside columns 0..9 and rows 0..8; the game skips it"});
			Finish(mapLine, false);
		}

		int mapCount = 0;
		int brokenMapCount = 0;
		int problemCount = 0;

	private:
		struct Finding {
			int line;
			std::string text;
		};

		void Print(int line, int mapLine, const std::string &text)
		{
			printf("%s:%d: map at line %d: %s\n", fileName.c_str(), line, mapLine, text.c_str());
		}

		void Finish(int mapLine, bool playable)
		{
			for(const Finding &finding : pending)
				Print(finding.line, mapLine, finding.text);
			problemCount += static_cast<int>(pending.size());
			brokenMapCount += playable ? 0 : 1;
			pending.clear();
		}

		std::string fileName;
		std::vector<Finding> pending;
	};

} // namespace

int main(int argc, char **argv)
{
	const int UNREADABLE = 2;
	std::string fileName = argc > 1 ? argv[1] : "DATA";
	std::ifstream in(fileName);
	std::error_code error;
	if(!in || std::filesystem::is_directory(fileName, error))
	{
		fprintf(stderr, "%s: cannot read the map file\n", fileName.c_str());
		return UNREADABLE;
	}
	CheckListener listener(fileName);
	ReadMapFile(in, listener);
	if(in.bad())
	{
		fprintf(stderr, "%s: reading failed\n", fileName.c_str());
		return UNREADABLE;
	}
	if(listener.mapCount == 0)
	{
		printf("%s: no maps; the game needs at least one\n", fileName.c_str());
		return 1;
	}
	printf("%s: %d maps, %d playable, %d problems\n", fileName.c_str(), listener.mapCount,
		listener.mapCount - listener.brokenMapCount, listener.problemCount);
	return listener.problemCount == 0 ? 0 : 1;
}
