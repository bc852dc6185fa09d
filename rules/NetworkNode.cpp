#include "rules/NetworkNode.h"

namespace {
	struct FighterValues {
		int type;
		int coherence;
		int strength;
	};

	const FighterValues FIGHTER_VALUES[] = {
		{FIREWALL, 60, 20},
		{ANTIVIRUS, 30, 40},
		{RESTORATION_NODE, 80, 10},
		{VIRUS_SUPPRESSOR, 80, 20},
		{SYSTEM_CORE, 70, 10},
	};
}

bool NetworkNode::StartingValues(int type, int &coherence, int &strength)
{
	for(const FighterValues &values : FIGHTER_VALUES)
		if(values.type == type)
		{
			coherence = values.coherence;
			strength = values.strength;
			return true;
		}
	return false;
}

NetworkNode NetworkNode::Standing(int type, int coherence, int strength)
{
	NetworkNode node;
	node.type = type;
	node.coherence = coherence;
	node.strength = strength;
	return node;
}

void NetworkNode::Reset(int newType)
{
	state = HIDDEN;
	coherence = 0;
	strength = 0;
	SetType(newType);
}

void NetworkNode::SetType(int newType)
{
	++changes;
	type = newType;
	if(type == EMPTY)
		state = REVEALED;
	TakeStartingValues();
}

void NetworkNode::SetState(int newState)
{
	++changes;
	state = newState;
	TakeStartingValues();
}

bool NetworkNode::TakeDamage(int amount)
{
	++changes;
	coherence -= amount;
	return coherence <= 0;
}

void NetworkNode::TakeStartingValues()
{
	if(state == REVEALED)
		StartingValues(type, coherence, strength);
}
