#ifndef VEXARIFT_HUD_NETWORKPULSEOBJECT_H
#define VEXARIFT_HUD_NETWORKPULSEOBJECT_H

#include "engine/TransientObject.h"
#include "hud/LinearMotion.h"

#include <functional>
#include <vector>

class NodeObject;

// Gives a node's neighbours, in the grid's fixed order; bound to the level.
using NeighbourFunction = std::function<std::vector<NodeObject *>(NodeObject *)>;

// A small dot that wanders the revealed network, one leg of 500 ms per link,
// and turns back when it meets another pulse. It keeps to revealed non-empty
// nodes and avoids doubling back unless it stands at a dead end; on a node
// whose neighbours are all unrevealed it takes any of them.
//
// A pulse turns back once per meeting: it may turn again only after a tick
// clear of every other pulse, otherwise two pulses that met would keep
// turning on every tick while still close.
//
// The level keeps every pulse in one list, which each pulse reads every tick
// to find the others. A pulse whose neighbour query returns nothing stays on
// its node.
class NetworkPulseObject : public TransientObject {
public:
	NetworkPulseObject(BaseEngine *engine, NodeObject *startNode, std::vector<NetworkPulseObject *> *pulses,
		NeighbourFunction neighbourQuery);
	~NetworkPulseObject() override;

	void Update(int currentTime) override;
	void Draw() override;

	// Null only when the query gives no neighbour at all.
	NodeObject *PickNextNode();
	// Starts a leg at the last update's time from the point to the node.
	void AimAt(int fromX, int fromY, NodeObject *node);

	NodeObject *GetHeadingNode() const { return headingNode; }
	NodeObject *GetPreviousNode() const { return previousNode; }
	bool HasBounced() const { return bounced; }

private:
	void StartNextLeg();
	const NetworkPulseObject *FindPulseNearby() const;
	void TurnBack();

	LinearMotion motion;
	int lastTime = 0;
	// Borrowed, like everything in the object list. The node it travels to,
	// or at first the node it was born on.
	NodeObject *headingNode;
	// Borrowed; null until the first leg starts.
	NodeObject *previousNode = nullptr;
	NeighbourFunction neighbourQuery;
	// Borrowed from the level, which outlives its pulses.
	std::vector<NetworkPulseObject *> *pulses;
	bool bounced = false;
};

#endif
