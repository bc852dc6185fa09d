#include "support/LevelFixture.h"

#include "hud/ItemSlots.h"
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

	// The map is chosen with the first draw and the cache opened with the second.
	unsigned SeedOpening(int low, int high)
	{
		return SeedWhere(1, [low, high](int draw) { return draw % 100 >= low && draw % 100 <= high; });
	}
}

class DataCacheOutcome : public LevelFixture, public testing::WithParamInterface<CacheRange> {};

TEST_P(DataCacheOutcome, OpensIntoWhatTheDrawSays)
{
	const CacheRange range = GetParam();
	StartLevel(MapFromTopRows(CACHE_LINE, 0, 0), SeedOpening(range.low, range.high));
	Click(0, 0);
	Click(1, 0);
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);

	Click(1, 0);
	NodeObject *cache = Node(1, 0);
	ASSERT_EQ(cache->GetType(), range.type);
	EXPECT_EQ(cache->GetState(), REVEALED);
	EXPECT_EQ(level->GetVirusStrength(), range.type == VIRUS_SUPPRESSOR ? 10 : 25);

	if(cache->IsDefenseSubsystem())
	{
		for(const Fight &fight : VALUES_AFTER_OPENING)
			if(fight.type == range.type)
			{
				EXPECT_EQ(cache->GetCoherence(), fight.coherence);
				EXPECT_EQ(cache->GetStrength(), fight.strength);
			}
		EXPECT_EQ(Node(2, 0)->GetState(), BLOCKED);
		EXPECT_EQ(Node(0, 0)->GetState(), REVEALED);
		return;
	}
	// An item blocks nothing and can be picked up at once.
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);
	Click(1, 0);
	EXPECT_EQ(cache->GetType(), HACKED);
	EXPECT_EQ(level->GetItemSlots()->ItemAt(0), range.type);
}

INSTANTIATE_TEST_SUITE_P(
	EveryRange, DataCacheOutcome, testing::ValuesIn(CACHE_RANGES), [](const testing::TestParamInfo<CacheRange> &info) {
		return "From" + std::to_string(info.param.low) + "To" + std::to_string(info.param.high);
	});

using DataCache = LevelFixture;

TEST_F(DataCache, FirewallFromACacheBlocksUntilHacked)
{
	StartLevel(MapFromTopRows(CACHE_LINE, 0, 0), SeedOpening(60, 69));
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	ASSERT_EQ(Node(1, 0)->GetType(), FIREWALL);
	EXPECT_EQ(Node(2, 0)->GetState(), BLOCKED);
	// A blocked System Core cannot be decrypted.
	Click(2, 0);
	EXPECT_EQ(Node(2, 0)->GetState(), BLOCKED);

	const int virusAfter[] = {50, 30, 30};
	for(int i = 0; i < 3; ++i)
	{
		Click(1, 0);
		EXPECT_EQ(level->GetVirusCoherence(), virusAfter[i]);
	}
	EXPECT_EQ(Node(1, 0)->GetType(), HACKED);
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0)->GetState(), REVEALED);
}

// Kernel Rot and the Secondary Vector wear down a Virus Suppressor that came
// out of a cache; hacking it gives the strength back.
TEST_F(DataCache, HackingASuppressorFromACacheRestoresTheStrength)
{
	StartLevel(MapFromTopRows({"h k v D C . . . . ."}, 0, 0), SeedOpening(80, 89));
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	Click(2, 0);
	Click(2, 0);
	Click(3, 0);
	Click(3, 0);
	ASSERT_EQ(Node(3, 0)->GetType(), VIRUS_SUPPRESSOR);
	EXPECT_EQ(level->GetVirusStrength(), 10);
	EXPECT_EQ(Node(4, 0)->GetState(), BLOCKED);

	ClickSlot(0);
	Click(3, 0);
	EXPECT_EQ(Node(3, 0)->GetCoherence(), 40);
	ClickSlot(1);
	Click(3, 0);
	EXPECT_EQ(Node(3, 0)->GetCoherence(), 20);
	EXPECT_EQ(level->GetVirusCoherence(), 70);

	// The attack leaves it at 10 and draws a counter-attack; the Secondary
	// Vector then hacks it at the end of the same move.
	Click(3, 0);
	EXPECT_EQ(level->GetVirusCoherence(), 50);
	EXPECT_EQ(Node(3, 0)->GetType(), HACKED);
	EXPECT_EQ(level->GetVirusStrength(), 25);
	EXPECT_EQ(Node(4, 0)->GetState(), ENCRYPTED);
}
