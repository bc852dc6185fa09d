#include "support/MapLetters.h"
#include "tools/player/MapSurvey.h"
#include "tools/player/RulesGame.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>

// Readable outcomes in failure messages.
static std::ostream &operator<<(std::ostream &out, GameOutcome outcome)
{
	const char *const names[] = {"won", "lost", "stuck"};
	return out << names[static_cast<int>(outcome)];
}

namespace {
	// Every shipped map is won by the full-knowledge player under nearly
	// every seed, the generated ones under at least 9 of 10, so two seeds
	// tell a map that can no longer be won; the sighted player, who may win
	// a hard map once in a hundred, gets the seeds the grader gives it.
	const int SHIPPED_SEEDS = 2;
	const int SHIPPED_SIGHTED_SEEDS = 100;
	const int MOVE_LIMIT = 200;

	std::string Map(const std::vector<std::string> &rows, int startColumn, int startRow)
	{
		return MapTextOfLetters(rows, startColumn, startRow);
	}

	MapRecord Record(const std::string &data)
	{
		const MapSurvey survey(data);
		return survey.Maps().empty() ? MapRecord() : survey.Maps().front().record;
	}

	GameResult PlayAlone(
		const std::string &data, unsigned seed = 1, int moveLimit = MOVE_LIMIT, Sight sight = Sight::FULL_KNOWLEDGE)
	{
		return PlayOnRules(Record(data), seed, moveLimit, sight);
	}

	LevelView StartingView(const std::string &data)
	{
		return RulesGame(Record(data), 1, Sight::SIGHTED).Look();
	}
}

// The map authors read these rates; a map that is never won fails, and so
// does one that only a player who knows it beforehand can win.
TEST(ScriptedPlayer, EveryShippedMapIsWonUnderSomeSeed)
{
	std::ifstream in(VEXARIFT_SHIPPED_DATA);
	ASSERT_TRUE(in) << "no shipped DATA";
	std::ostringstream text;
	text << in.rdbuf();
	const MapSurvey survey(text.str());
	ASSERT_FALSE(survey.Maps().empty());
	for(const SurveyedMap &map : survey.Maps())
	{
		const MapWinRate rate = survey.Play(map, SHIPPED_SEEDS, MOVE_LIMIT);
		const MapWinRate sighted = survey.Play(map, SHIPPED_SIGHTED_SEEDS, MOVE_LIMIT, Sight::SIGHTED);
		std::cout << MapSurvey::DescribeBoth(sighted, rate) << std::endl;
		EXPECT_GT(rate.wins, 0) << MapSurvey::Describe(rate);
		EXPECT_GT(sighted.wins, 0) << "sighted: " << MapSurvey::Describe(sighted);
	}
}

// Straight along the top row to the System Core, leaving the long branch
// down column 0 alone: four decryptions and three attacks, two of them
// answered by the core's 10.
TEST(ScriptedPlayer, HeadsStraightForTheSystemCore)
{
	const GameResult result = PlayAlone(Map({"h h h C", "h", "h", "h", "h", "h", "h", "h", "h"}, 0, 0));
	EXPECT_EQ(result.outcome, GameOutcome::WON);
	EXPECT_EQ(result.moves, 7);
	EXPECT_EQ(result.coherence, 50);
}

// Each of these is lost by plain attacks (two Anti-viruses cost 80, an
// Anti-virus and a Firewall 80 before the core's 20); the item on the way
// turns it into a win, and the coherence left shows how it was used.
TEST(ScriptedPlayer, UsesItemsWhereTheyTurnTheFight)
{
	struct Case {
		const char *row;
		int coherence;
	};
	const Case cases[] = {
		// Shield: each Anti-virus's one counter-attack absorbed.
		{"h p A A C", 70 - 20},
		// Kernel Rot halves the Anti-virus to 15: one attack, no counter.
		{"h k A F C", 70 - 40 - 20},
		// Secondary Vector: 20 at once leaves the Anti-virus at 10.
		{"h v A F C", 70 - 40 - 20},
	};
	for(const Case &c : cases)
	{
		const GameResult result = PlayAlone(Map({c.row}, 0, 0));
		EXPECT_EQ(result.outcome, GameOutcome::WON) << c.row;
		EXPECT_EQ(result.coherence, c.coherence) << c.row;
	}
}

// A fight that cannot be won and cannot be avoided is fought to the loss,
// not abandoned; a game cut off by the move limit is stuck.
TEST(ScriptedPlayer, PlaysToTheEndOrTheMoveLimit)
{
	const GameResult lost = PlayAlone(Map({"h A A A C"}, 0, 0));
	EXPECT_EQ(lost.outcome, GameOutcome::LOST);

	const GameResult stuck = PlayAlone(Map({"h h h C"}, 0, 0), 1, 2);
	EXPECT_EQ(stuck.outcome, GameOutcome::STUCK);
	EXPECT_EQ(stuck.moves, 2);

	const GameResult again = PlayAlone(Map({"h h h C"}, 0, 0));
	EXPECT_EQ(again.outcome, GameOutcome::WON) << "a stuck level must not spoil the next one";
}

// Each record is played on its own, named by its MAP line; a map the game
// could not play through is refused instead of ending the process.
TEST(ScriptedPlayer, SurveyPlaysEachMapAloneAndRefusesUnplayableOnes)
{
	const std::string corridor = Map({"h h h C"}, 0, 0);
	const std::string walledOff = Map({"h h . C"}, 0, 0);
	const std::string hopeless = Map({"h A A A C"}, 0, 0);
	const MapSurvey survey(corridor + "\n" + walledOff + hopeless);
	ASSERT_EQ(survey.Maps().size(), 3u);
	EXPECT_EQ(survey.Maps()[0].line, 1);
	EXPECT_EQ(survey.Maps()[1].line, 14);
	EXPECT_EQ(survey.Maps()[2].line, 26);

	EXPECT_EQ(MapSurvey::Describe(survey.Play(survey.Maps()[0], 3, MOVE_LIMIT)), "map at line 1: won 3/3");
	const MapWinRate refused = survey.Play(survey.Maps()[1], 3, MOVE_LIMIT);
	EXPECT_EQ(refused.games, 0);
	EXPECT_NE(refused.refusal, "");
	EXPECT_EQ(MapSurvey::Describe(survey.Play(survey.Maps()[2], 2, MOVE_LIMIT)), "map at line 26: won 0/2");
}

namespace {
	// The line a game's trace gives for one move, or "" when there is none.
	std::string TracedMove(const std::string &data, Sight sight, int move)
	{
		char *buffer = nullptr;
		size_t size = 0;
		FILE *trace = open_memstream(&buffer, &size);
		PlayOnRules(Record(data), 1, MOVE_LIMIT, sight, trace);
		fclose(trace);
		std::istringstream lines(std::string(buffer, size));
		free(buffer);
		const std::string wanted = "  move " + std::to_string(move) + ":";
		for(std::string line; std::getline(lines, line);)
			if(line.rfind(wanted, 0) == 0)
				return line;
		return "";
	}
}

// The System Core at one end of a corridor or the other, four steps from
// the start either way: the screen and the hint (4) look the same, so the
// sighted player must make the same second move on both maps, where the
// full-knowledge player turns toward the core.
TEST(ScriptedPlayer, SightedPlayerCannotSeeHiddenTypes)
{
	const std::string coreLeft = Map({"C h h h h h h h h"}, 4, 0);
	const std::string coreRight = Map({"h h h h h h h h C"}, 4, 0);

	const std::string knowingLeft = TracedMove(coreLeft, Sight::FULL_KNOWLEDGE, 2);
	const std::string knowingRight = TracedMove(coreRight, Sight::FULL_KNOWLEDGE, 2);
	EXPECT_NE(knowingLeft.find("(3, 0)"), std::string::npos) << knowingLeft;
	EXPECT_NE(knowingRight.find("(5, 0)"), std::string::npos) << knowingRight;

	// The view itself holds nothing that tells the two apart, though every
	// node but the start differs in type (a different shape would show).
	const std::string decoy = Map({"h F A R V s k p D"}, 4, 0);
	EXPECT_TRUE(StartingView(coreLeft) == StartingView(decoy));
	EXPECT_FALSE(StartingView(coreLeft) == StartingView(Map({"C h h h h h h h h h"}, 4, 0)));

	const std::string sightedLeft = TracedMove(coreLeft, Sight::SIGHTED, 2);
	ASSERT_NE(sightedLeft, "");
	EXPECT_EQ(sightedLeft, TracedMove(coreRight, Sight::SIGHTED, 2));
}

// What the screen shows is enough: the hint (3) rules out the branch to
// the left, and the shield picked up on the way turns two Anti-virus
// fights that plain attacks would lose.
TEST(ScriptedPlayer, SightedPlayerGoesByHintsAndItems)
{
	const GameResult guided = PlayAlone(Map({"h h h h h C"}, 2, 0), 1, MOVE_LIMIT, Sight::SIGHTED);
	EXPECT_EQ(guided.outcome, GameOutcome::WON);
	EXPECT_EQ(guided.moves, 4 + 3) << "four decryptions to the core and three attacks";

	const GameResult shielded = PlayAlone(Map({"h p A A C"}, 0, 0), 1, MOVE_LIMIT, Sight::SIGHTED);
	EXPECT_EQ(shielded.outcome, GameOutcome::WON);
	EXPECT_EQ(shielded.coherence, 70 - 20);
}
