#include "tools/player/FightForecast.h"

namespace {
	// Beyond this many attacks a fight counts as lost: the opponent heals as
	// fast as it is hurt, or the virus barely scratches it.
	const int MAX_ATTACKS = 30;
}

FightForecast::FightForecast(const Virus &virus, const Opponent &opponent) : after(virus)
{
	Run(opponent);
}

void FightForecast::Run(Opponent opponent)
{
	const int start = after.coherence;
	while(attacks < MAX_ATTACKS)
	{
		++attacks;
		if(after.Attack(opponent.node) == Virus::Blow::TARGET_FELL)
		{
			after.NodeHacked(opponent.node.GetType());
			survives = true;
			break;
		}
		if(after.IsDestroyed())
			break;
		after.RepairOneMove();
		opponent.node.TakeDamage(-opponent.healPerMove);
	}
	damageTaken = start - after.coherence;
}
