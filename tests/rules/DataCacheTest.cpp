#include "rules/ScriptedLevel.h"

#include "leveldata/NodeType.h"
#include "rules/NodeState.h"

#include <vector>

namespace {
	// The start, the cache, and the System Core beyond it.
	const std::vector<std::string> CACHE_LINE = {"h D C . . . . . . ."};

	struct CacheRange {
		int low;
		int high;
		int type;
	};

	const CacheRange CACHE_RANGES[] = {
		{0, 14, ITEM_KERNEL_ROT},
		{15, 29, ITEM_SECONDARY_VECTOR},
		{30, 44, ITEM_SELF_REPAIR},
		{45, 59, ITEM_POLYMORPHIC_SHIELD},
		{60, 69, FIREWALL},
		{70, 79, ANTIVIRUS},
		{80, 89, VIRUS_SUPPRESSOR},
		{90, 99, RESTORATION_NODE},
	};

	// Each end of each range, as a range of one draw.
	std::vector<CacheRange> RangeEnds()
	{
		std::vector<CacheRange> ends;
		for(const CacheRange &range : CACHE_RANGES)
		{
			ends.push_back({range.low, range.low, range.type});
			ends.push_back({range.high, range.high, range.type});
		}
		return ends;
	}

	void PrintTo(const CacheRange &range, std::ostream *out)
	{
		*out << range.low << ".." << range.high;
	}

	struct Fight {
		int type;
		int coherence;
		int strength;
	};
	// The Restoration Node, the only target, heals itself at the end of the
	// opening move.
	const Fight VALUES_AFTER_OPENING[] = {
		{FIREWALL, 60, 20},
		{ANTIVIRUS, 30, 40},
		{RESTORATION_NODE, 90, 10},
		{VIRUS_SUPPRESSOR, 80, 20},
	};
}

class DataCacheOutcome : public ScriptedLevel, public testing::WithParamInterface<CacheRange> {};

TEST_P(DataCacheOutcome, OpensIntoWhatTheDrawSays)
{
	const CacheRange range = GetParam();
	Start(CACHE_LINE, 0, 0);
	draws.draws = {range.low};
	Click(0, 0);
	Click(1, 0);
	EXPECT_EQ(Node(2, 0).GetState(), ENCRYPTED);

	Click(1, 0);
	const NetworkNode &cache = Node(1, 0);
	ASSERT_EQ(cache.GetType(), range.type);
	EXPECT_EQ(cache.GetState(), REVEALED);
	EXPECT_EQ(TheVirus().strength, range.type == VIRUS_SUPPRESSOR ? 10 : 25);

	if(IsDefenseSubsystem(cache.GetType()))
	{
		for(const Fight &fight : VALUES_AFTER_OPENING)
			if(fight.type == range.type)
			{
				EXPECT_EQ(cache.GetCoherence(), fight.coherence);
				EXPECT_EQ(cache.GetStrength(), fight.strength);
			}
		EXPECT_EQ(Node(2, 0).GetState(), BLOCKED);
		EXPECT_EQ(Node(0, 0).GetState(), REVEALED);
		return;
	}
	// An item blocks nothing and can be picked up at once.
	EXPECT_EQ(Node(2, 0).GetState(), ENCRYPTED);
	Click(1, 0);
	EXPECT_EQ(cache.GetType(), HACKED);
	EXPECT_EQ(ItemAt(0), range.type);
}

INSTANTIATE_TEST_SUITE_P(EachEndOfEveryRange, DataCacheOutcome, testing::ValuesIn(RangeEnds()),
	[](const testing::TestParamInfo<CacheRange> &info) { return "Draw" + std::to_string(info.param.low); });

using DataCache = ScriptedLevel;

TEST_F(DataCache, FirewallFromACacheBlocksUntilHacked)
{
	Start(CACHE_LINE, 0, 0);
	draws.draws = {60};
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	ASSERT_EQ(Node(1, 0).GetType(), FIREWALL);
	EXPECT_EQ(Node(2, 0).GetState(), BLOCKED);
	// A blocked System Core cannot be decrypted.
	Click(2, 0);
	EXPECT_EQ(Node(2, 0).GetState(), BLOCKED);

	const int virusAfter[] = {50, 30, 30};
	for(int i = 0; i < 3; ++i)
	{
		Click(1, 0);
		EXPECT_EQ(TheVirus().coherence, virusAfter[i]);
	}
	EXPECT_EQ(Node(1, 0).GetType(), HACKED);
	EXPECT_EQ(Node(2, 0).GetState(), ENCRYPTED);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0).GetState(), REVEALED);
}

// Kernel Rot and the Secondary Vector wear down a Virus Suppressor that came
// out of a cache; hacking it gives the strength back.
TEST_F(DataCache, HackingASuppressorFromACacheRestoresTheStrength)
{
	Start({"h k v D C . . . . ."}, 0, 0);
	draws.draws = {89};
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	Click(2, 0);
	Click(2, 0);
	Click(3, 0);
	Click(3, 0);
	ASSERT_EQ(Node(3, 0).GetType(), VIRUS_SUPPRESSOR);
	EXPECT_EQ(TheVirus().strength, 10);
	EXPECT_EQ(Node(4, 0).GetState(), BLOCKED);

	ClickSlot(0);
	Click(3, 0);
	EXPECT_EQ(Node(3, 0).GetCoherence(), 40);
	ClickSlot(1);
	Click(3, 0);
	EXPECT_EQ(Node(3, 0).GetCoherence(), 20);
	EXPECT_EQ(TheVirus().coherence, 70);

	// The attack leaves it at 10 and draws a counter-attack; the Secondary
	// Vector then hacks it at the end of the same move.
	Click(3, 0);
	EXPECT_EQ(TheVirus().coherence, 50);
	EXPECT_EQ(Node(3, 0).GetType(), HACKED);
	EXPECT_EQ(TheVirus().strength, 25);
	EXPECT_EQ(Node(4, 0).GetState(), ENCRYPTED);
}
