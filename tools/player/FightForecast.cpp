#include "tools/player/FightForecast.h"

namespace {
	// Beyond this many attacks a fight counts as lost: the opponent heals as
	// fast as it is hurt, or the virus barely scratches it.
	const int MAX_ATTACKS = 30;
	const int SELF_REPAIR_GAIN = 10;
	const int SUPPRESSOR_PENALTY = 15;
}

FightForecast::FightForecast(const VirusOutlook &virus, const Opponent &opponent)
	: after(virus)
{
	Run(opponent);
}

void FightForecast::Run(Opponent opponent)
{
	const int start = after.coherence;
	while(attacks < MAX_ATTACKS)
	{
		++attacks;
		opponent.coherence -= after.strength;
		if(opponent.coherence <= 0)
		{
			if(opponent.suppressor)
				after.strength += SUPPRESSOR_PENALTY;
			survives = true;
			break;
		}
		if(after.shieldCharges > 0)
			--after.shieldCharges;
		else
			after.coherence -= opponent.strength;
		if(after.coherence <= 0)
			break;
		if(after.repairMoves > 0)
		{
			after.coherence += SELF_REPAIR_GAIN;
			--after.repairMoves;
		}
		opponent.coherence += opponent.healPerMove;
	}
	damageTaken = start - after.coherence;
}
