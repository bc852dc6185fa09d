#include "rules/Virus.h"

#include "rules/NetworkNode.h"

Virus::Blow Virus::Attack(NetworkNode &target)
{
	if(target.TakeDamage(strength))
		return Blow::TARGET_FELL;
	if(shieldCharges > 0)
	{
		--shieldCharges;
		return Blow::SHIELDED;
	}
	coherence -= target.GetStrength();
	return Blow::COUNTERED;
}

bool Virus::RepairOneMove()
{
	if(selfRepairMoves <= 0)
		return false;
	coherence += SELF_REPAIR_GAIN;
	--selfRepairMoves;
	return true;
}
