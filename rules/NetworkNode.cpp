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

void NetworkNode::SetType(int newType)
{
	type = newType;
	if(type == EMPTY)
		state = REVEALED;
	TakeStartingValues();
}

void NetworkNode::SetState(int newState)
{
	state = newState;
	TakeStartingValues();
}

bool NetworkNode::TakeDamage(int amount)
{
	coherence -= amount;
	return coherence <= 0;
}

void NetworkNode::TakeStartingValues()
{
	if(state == REVEALED)
		StartingValues(type, coherence, strength);
}
