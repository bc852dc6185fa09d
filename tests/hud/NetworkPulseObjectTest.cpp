#include "hud/NetworkPulseObject.h"

#include "leveldata/NodeType.h"
#include "play/NodeObject.h"
#include "rules/NetworkNode.h"
#include "rules/NodeState.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

	const int LINK = 64;
	const int LEG_MS = 500;
	const int TICK_MS = 10;
	const int SEEDS = 300;
	const uint32_t PULSE_COLOUR = 0xCB4920;

	// A handful of nodes and links laid out by hand, with the neighbour query a
	// level would give.
	class PulseTest : public testing::Test {
	protected:
		NodeObject *AddNode(int column, int row, int type, int state)
		{
			held.push_back(std::make_unique<NetworkNode>());
			held.back()->Reset(type);
			held.back()->SetState(state);
			nodes.push_back(std::make_unique<NodeObject>(
				&engine, 100 + column * LINK, 100 + row * LINK, column, row, *held.back()));
			return nodes.back().get();
		}

		NodeObject *AddRevealed(int column, int row) { return AddNode(column, row, HACKED, REVEALED); }

		void Link(NodeObject *a, NodeObject *b)
		{
			links[a].push_back(b);
			links[b].push_back(a);
		}

		NeighbourFunction Query()
		{
			return [this](NodeObject *node) { return links[node]; };
		}

		NetworkPulseObject *StartPulse(NodeObject *node)
		{
			pulses.push_back(new NetworkPulseObject(&engine, node, &pulses, Query()));
			return pulses.back();
		}

		// Where a fresh pulse on the node goes first, for one seed.
		NodeObject *FirstStepFrom(NodeObject *node, unsigned seed)
		{
			srand(seed);
			NetworkPulseObject pulse(&engine, node, &pulses, Query());
			pulse.Update(0);
			return pulse.GetHeadingNode();
		}

		TestEngine engine;
		// What the rules would hold for each node.
		std::vector<std::unique_ptr<NetworkNode>> held;
		std::vector<std::unique_ptr<NodeObject>> nodes;
		std::map<NodeObject *, std::vector<NodeObject *>> links;
		// Listed in the engine, which deletes them.
		std::vector<NetworkPulseObject *> pulses;
	};

	TEST_F(PulseTest, SetsOffFromTheCentreOfItsNodeAndArrivesAfterHalfASecond)
	{
		NodeObject *start = AddRevealed(0, 0);
		NodeObject *end = AddRevealed(1, 0);
		Link(start, end);
		NetworkPulseObject *pulse = StartPulse(start);
		EXPECT_EQ(pulse->x, start->x);
		EXPECT_EQ(pulse->y, start->y);
		EXPECT_EQ(engine.ObjectAt(engine.ObjectCount() - 1), pulse);

		pulse->Update(1000);
		EXPECT_EQ(pulse->GetHeadingNode(), end);
		EXPECT_EQ(pulse->GetPreviousNode(), start);
		EXPECT_EQ(pulse->x, start->x);
		pulse->Update(1250);
		EXPECT_EQ(pulse->x, start->x + LINK / 2);
		EXPECT_EQ(pulse->previousX, start->x);

		// On arrival it sets off again, from the end of the leg.
		pulse->Update(1000 + LEG_MS);
		EXPECT_EQ(pulse->x, end->x);
		EXPECT_EQ(pulse->GetHeadingNode(), start);
		EXPECT_EQ(pulse->GetPreviousNode(), end);
	}

	TEST_F(PulseTest, DrawsAnOrangeDotOnItsPosition)
	{
		NodeObject *node = AddRevealed(2, 2);
		NetworkPulseObject *pulse = StartPulse(node);
		SDL_FillRect(engine.frameSurface, nullptr, 0);
		pulse->Draw();
		EXPECT_EQ(engine.FramePixel(node->x, node->y), PULSE_COLOUR);
		EXPECT_EQ(engine.FramePixel(node->x - 4, node->y), PULSE_COLOUR);
		EXPECT_EQ(engine.FramePixel(node->x + 3, node->y), PULSE_COLOUR);
		EXPECT_EQ(engine.FramePixel(node->x - 6, node->y), 0u);
		EXPECT_EQ(engine.FramePixel(node->x + 5, node->y), 0u);
	}

	// The only revealed neighbour is the one it came from: back it goes, past
	// unrevealed and empty neighbours.
	TEST_F(PulseTest, GoesBackFromADeadEnd)
	{
		NodeObject *start = AddRevealed(0, 0);
		NodeObject *deadEnd = AddRevealed(1, 0);
		Link(start, deadEnd);
		Link(deadEnd, AddNode(2, 0, FIREWALL, ENCRYPTED));
		Link(deadEnd, AddNode(1, 1, EMPTY, REVEALED));
		Link(deadEnd, AddNode(2, 1, DATA_CACHE, BLOCKED));
		NetworkPulseObject *pulse = StartPulse(start);
		for(unsigned seed = 0; seed < 20; ++seed)
		{
			srand(seed);
			pulse->Update(seed * 2 * LEG_MS);
			ASSERT_EQ(pulse->GetHeadingNode(), deadEnd);
			pulse->Update((seed * 2 + 1) * LEG_MS);
			ASSERT_EQ(pulse->GetHeadingNode(), start);
			ASSERT_EQ(pulse->GetPreviousNode(), deadEnd);
		}
	}

	TEST_F(PulseTest, KeepsToTheRevealedNetworkWithoutDoublingBack)
	{
		NodeObject *from = AddRevealed(0, 1);
		NodeObject *junction = AddRevealed(1, 1);
		NodeObject *left = AddRevealed(2, 0);
		NodeObject *right = AddRevealed(2, 2);
		Link(from, junction);
		Link(junction, left);
		Link(junction, right);
		Link(junction, AddNode(2, 1, FIREWALL, ENCRYPTED));
		Link(junction, AddNode(1, 2, EMPTY, REVEALED));

		std::set<NodeObject *> seen;
		for(unsigned seed = 0; seed < SEEDS; ++seed)
		{
			srand(seed);
			NetworkPulseObject pulse(&engine, from, &pulses, Query());
			pulse.Update(0);
			ASSERT_EQ(pulse.GetHeadingNode(), junction);
			pulse.Update(LEG_MS);
			seen.insert(pulse.GetHeadingNode());
		}
		EXPECT_EQ(seen, (std::set<NodeObject *>{left, right}));
	}

	// Nothing around it is revealed yet: any neighbour will do, empty ones too.
	TEST_F(PulseTest, TakesAnyNeighbourWhenNoneIsRevealed)
	{
		NodeObject *start = AddRevealed(1, 1);
		const std::set<NodeObject *> neighbours = {AddNode(0, 1, FIREWALL, ENCRYPTED), AddNode(2, 1, HACKED, HIDDEN),
			AddNode(1, 0, EMPTY, REVEALED), AddNode(1, 2, DATA_CACHE, BLOCKED)};
		for(NodeObject *neighbour : neighbours)
			Link(start, neighbour);

		std::set<NodeObject *> seen;
		for(unsigned seed = 0; seed < SEEDS; ++seed)
			seen.insert(FirstStepFrom(start, seed));
		EXPECT_EQ(seen, neighbours);
	}

	TEST_F(PulseTest, StaysOnItsNodeWhenItHasNoNeighbours)
	{
		NodeObject *alone = AddRevealed(3, 3);
		NetworkPulseObject *pulse = StartPulse(alone);
		for(int time = 0; time <= 2000; time += 250)
		{
			pulse->Update(time);
			EXPECT_EQ(pulse->GetHeadingNode(), alone);
			EXPECT_EQ(pulse->GetPreviousNode(), nullptr);
			EXPECT_EQ(pulse->x, alone->x);
			EXPECT_EQ(pulse->y, alone->y);
		}
	}

	bool IsOnNode(const NetworkPulseObject *pulse, const NodeObject *a, const NodeObject *b)
	{
		return pulse->x == a->x || pulse->x == b->x;
	}

	// Two pulses running at each other along one link, with a third far away
	// listed first so the meeting test must look past it.
	TEST_F(PulseTest, PulsesMeetingOnALinkTurnBackOncePerMeeting)
	{
		NodeObject *west = AddRevealed(0, 0);
		NodeObject *east = AddRevealed(1, 0);
		Link(west, east);
		NodeObject *farA = AddRevealed(5, 5);
		NodeObject *farB = AddRevealed(6, 5);
		Link(farA, farB);
		NetworkPulseObject *far = StartPulse(farA);
		NetworkPulseObject *fromWest = StartPulse(west);
		NetworkPulseObject *fromEast = StartPulse(east);

		int westTurns = 0;
		int eastTurns = 0;
		int meetings = 0;
		bool wasClose = false;
		NodeObject *westHeading = nullptr;
		NodeObject *eastHeading = nullptr;
		for(int time = 0; time <= 4 * LEG_MS; time += TICK_MS)
		{
			for(NetworkPulseObject *pulse : {far, fromWest, fromEast})
				pulse->Update(time);
			ASSERT_LT(fromWest->x, fromEast->x) << "the pulses passed each other at " << time;

			// A turn changes the heading in mid-link; an arrival does it on a node.
			if(time > 0 && fromWest->GetHeadingNode() != westHeading && !IsOnNode(fromWest, west, east))
			{
				++westTurns;
				EXPECT_EQ(fromWest->GetHeadingNode(), west);
				EXPECT_EQ(fromWest->GetPreviousNode(), east);
			}
			if(time > 0 && fromEast->GetHeadingNode() != eastHeading && !IsOnNode(fromEast, west, east))
			{
				++eastTurns;
				EXPECT_EQ(fromEast->GetHeadingNode(), east);
				EXPECT_EQ(fromEast->GetPreviousNode(), west);
			}
			westHeading = fromWest->GetHeadingNode();
			eastHeading = fromEast->GetHeadingNode();

			// The pulse updated last sees both new positions.
			const bool close = fromEast->x - fromWest->x <= 10;
			if(close && !wasClose)
				++meetings;
			EXPECT_EQ(fromEast->HasBounced(), close) << "at " << time;
			wasClose = close;
		}
		EXPECT_GE(meetings, 2);
		EXPECT_EQ(westTurns, meetings);
		EXPECT_EQ(eastTurns, meetings);
		EXPECT_FALSE(far->HasBounced());
	}

} // namespace
