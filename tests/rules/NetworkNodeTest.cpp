#include "rules/NetworkNode.h"

#include <gtest/gtest.h>

// A fighter starts afresh at every reveal and every change of type while
// revealed, so a Data Cache that opens into one starts it fresh; hacked, it
// keeps the coherence it was beaten down to.
TEST(NetworkNode, ValuesStartAfreshAtEveryRevealOrTypeChange)
{
	NetworkNode antivirus;
	antivirus.Reset(ANTIVIRUS);
	EXPECT_EQ(antivirus.GetCoherence(), 0);
	antivirus.SetState(REVEALED);
	antivirus.TakeDamage(12);
	antivirus.SetState(REVEALED);
	EXPECT_EQ(antivirus.GetCoherence(), 30);
	EXPECT_EQ(antivirus.GetStrength(), 40);

	NetworkNode cache;
	cache.Reset(DATA_CACHE);
	cache.SetState(REVEALED);
	cache.SetType(VIRUS_SUPPRESSOR);
	EXPECT_EQ(cache.GetCoherence(), 80);
	EXPECT_EQ(cache.GetStrength(), 20);
	EXPECT_FALSE(cache.TakeDamage(79));
	EXPECT_TRUE(cache.TakeDamage(16));
	cache.SetType(HACKED);
	EXPECT_EQ(cache.GetCoherence(), -15);
	EXPECT_EQ(cache.GetStrength(), 20);
	// Healing is damage below zero, unbounded.
	EXPECT_FALSE(cache.TakeDamage(-100));
	EXPECT_EQ(cache.GetCoherence(), 85);
}

// Whoever shows a node relies on the count to know it changed, so every
// mutator counts, a reset and a change to the same value included.
TEST(NetworkNode, EveryChangeCountsAndTheCountNeverGoesBack)
{
	NetworkNode node;
	unsigned last = node.GetChanges();
	const auto counted = [&node, &last] {
		const bool grew = node.GetChanges() > last;
		last = node.GetChanges();
		return grew;
	};
	node.Reset(FIREWALL);
	EXPECT_TRUE(counted());
	node.SetState(REVEALED);
	EXPECT_TRUE(counted());
	node.SetState(REVEALED);
	EXPECT_TRUE(counted());
	node.TakeDamage(0);
	EXPECT_TRUE(counted());
	node.SetType(HACKED);
	EXPECT_TRUE(counted());
	node.Reset(EMPTY);
	EXPECT_TRUE(counted());
	EXPECT_EQ(node.GetState(), REVEALED);
	EXPECT_EQ(node.GetCoherence(), 0);
}
