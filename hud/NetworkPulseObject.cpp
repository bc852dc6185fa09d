#include "hud/NetworkPulseObject.h"

#include "engine/BaseEngine.h"
#include "leveldata/NodeType.h"
// Upward, by design: a pulse travels between the level's nodes, where they
// stand, and keeps to those the rules hold revealed, as each node reads them
// from the rules; the level hands it the nodes' neighbours.
#include "play/NodeObject.h"
#include "rules/NetworkNode.h"
#include "rules/NodeState.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {
	const int PULSE_SIZE = 10;
	const int PULSE_DRAW_OFFSET = -PULSE_SIZE / 2;
	const int PULSE_COLOUR = 0xCB4920;
	const int LEG_DURATION = 500;
	// Squared distance between centres at which two pulses meet.
	const int MEETING_DISTANCE_SQUARED = 100;

	int CentreX(const DisplayableObject *object)
	{
		return object->x + object->drawOffsetX + object->width / 2;
	}

	int CentreY(const DisplayableObject *object)
	{
		return object->y + object->drawOffsetY + object->height / 2;
	}

	bool IsOnRevealedNetwork(const NodeObject *node)
	{
		const NetworkNode &held = node->GetNode();
		return held.GetState() == REVEALED && held.GetType() != EMPTY;
	}

	NodeObject *PickAny(const std::vector<NodeObject *> &nodes)
	{
		return nodes[static_cast<unsigned>(rand()) % nodes.size()];
	}
}

NetworkPulseObject::NetworkPulseObject(BaseEngine *engine, NodeObject *startNode,
	std::vector<NetworkPulseObject *> *pulses, NeighbourFunction neighbourQuery)
	: TransientObject(engine),
	  headingNode(startNode),
	  neighbourQuery(std::move(neighbourQuery)),
	  pulses(pulses)
{
	x = previousX = CentreX(startNode);
	y = previousY = CentreY(startNode);
	drawOffsetX = drawOffsetY = PULSE_DRAW_OFFSET;
	width = height = PULSE_SIZE;
	visible = true;
}

NetworkPulseObject::~NetworkPulseObject() = default;

void NetworkPulseObject::Update(int currentTime)
{
	lastTime = currentTime;
	const int fromX = x;
	const int fromY = y;
	if(currentTime < motion.endTime)
		motion.Glide(*this, currentTime);
	else
		StartNextLeg();

	const NetworkPulseObject *other = FindPulseNearby();
	if(!other)
		bounced = false;
	else if(!bounced)
		TurnBack();
	// A pulse with nowhere to go sits still and needs no redraw.
	if(x != fromX || y != fromY)
		engine->redrawNeeded = 1;
}

// A leg always ends on the heading node's centre, which is where the next
// one starts and where a pulse with nowhere to go stays.
void NetworkPulseObject::StartNextLeg()
{
	NodeObject *next = PickNextNode();
	if(!next)
	{
		x = CentreX(headingNode);
		y = CentreY(headingNode);
		return;
	}
	AimAt(CentreX(headingNode), CentreY(headingNode), next);
	previousNode = headingNode;
	headingNode = next;
}

const NetworkPulseObject *NetworkPulseObject::FindPulseNearby() const
{
	const int centreX = CentreX(this);
	const int centreY = CentreY(this);
	for(const NetworkPulseObject *pulse : *pulses)
	{
		if(pulse == this)
			continue;
		const int dx = CentreX(pulse) - centreX;
		const int dy = CentreY(pulse) - centreY;
		if(dx * dx + dy * dy <= MEETING_DISTANCE_SQUARED)
			return pulse;
	}
	return nullptr;
}

// Back to the node it came from, from wherever it is now; a pulse that has
// not left its first node has nowhere to turn to.
void NetworkPulseObject::TurnBack()
{
	if(!previousNode)
		return;
	std::swap(headingNode, previousNode);
	motion.Start(lastTime, LEG_DURATION, x, y, CentreX(headingNode), CentreY(headingNode));
	bounced = true;
}

NodeObject *NetworkPulseObject::PickNextNode()
{
	for(;;)
	{
		std::vector<NodeObject *> neighbours = neighbourQuery(headingNode);
		if(neighbours.empty())
			return nullptr;

		std::vector<NodeObject *> candidates;
		std::copy_if(neighbours.begin(), neighbours.end(), std::back_inserter(candidates), IsOnRevealedNetwork);
		if(candidates.empty())
			return PickAny(neighbours);

		NodeObject *pick = PickAny(candidates);
		const bool otherWay = std::any_of(
			candidates.begin(), candidates.end(), [this](const NodeObject *node) { return node != previousNode; });
		// Doubling back only at a dead end; otherwise draw again.
		if(pick != previousNode || !otherWay)
			return pick;
	}
}

void NetworkPulseObject::AimAt(int fromX, int fromY, NodeObject *node)
{
	motion.Start(lastTime, LEG_DURATION, fromX, fromY, CentreX(node), CentreY(node));
	x = motion.currentX;
	y = motion.currentY;
}

void NetworkPulseObject::Draw()
{
	if(!visible)
		return;
	engine->FillOval(
		x - width / 2, y - height / 2, x + width / 2 - 1, y + height / 2 - 1, PULSE_COLOUR, engine->frameSurface);
	RememberPosition();
}
