#include "tools/player/ScriptedPlayer.h"

#include "engine/VexaRiftEngine.h"
#include "hud/ItemSlots.h"
#include "leveldata/GridPosition.h"
#include "leveldata/NodeType.h"
#include "play/LevelGameState.h"
#include "play/NodeObject.h"
#include "rules/NodeState.h"
#include "screens/EndGameState.h"

#include <algorithm>
#include <climits>
#include <queue>

namespace {
	const int LEFT_BUTTON = 1;
	// A slot is 51 pixels square; its middle is safely inside.
	const int SLOT_MIDDLE = 25;
	const int SHIELD_CHARGES = 2;
	const int SELF_REPAIR_MOVES = 3;
	const int RESTORATION_HEAL = 10;
	const int SELF_REPAIR_GAIN = 10;
	const int SUPPRESSOR_PENALTY = 15;
	// Counter-attacks this hard are worth a shield; the System Core's 10 is
	// not, unless it would finish the virus.
	const int HARD_HIT = 20;
	// A fight that costs this much coherence is worth an item.
	const int COSTLY_FIGHT = 20;
	// A decryption weighs as much as one point of coherence: moves are
	// cheap, but not free while Restoration Nodes heal.
	const int STEP_COST = 1;
	// A fight the virus is not expected to survive; any way round is better.
	const int HOPELESS_COST = 1000;
	const int NO_WAY = INT_MAX;
	// Items are fetched on the way when that costs a few moves and no fight.
	const int ITEM_DETOUR = 8;

	struct KnownValues {
		int type;
		int coherence;
		int strength;
	};
	// What each subsystem shows once revealed, as its description says.
	const KnownValues REVEALED_VALUES[] = {
		{FIREWALL, 60, 20}, {ANTIVIRUS, 30, 40}, {RESTORATION_NODE, 80, 10},
		{VIRUS_SUPPRESSOR, 80, 20}, {SYSTEM_CORE, 70, 10},
	};

	bool Fights(const NodeObject *node)
	{
		return node->IsDefenseSubsystem() || node->GetType() == SYSTEM_CORE;
	}
}

ScriptedPlayer::ScriptedPlayer(VexaRiftEngine *engine, LevelGameState *level)
	: engine(engine), level(level)
{
}

GameResult ScriptedPlayer::Play(int moveLimit)
{
	GameResult result;
	while(moves < moveLimit)
	{
		if(!TakeTurn())
			break;
		++moves;
		result.coherence = level->GetVirusCoherence();
		Tick();
		if(LevelEnded())
		{
			const auto *end = dynamic_cast<const EndGameState *>(engine->GetCurrentState());
			result.outcome = end && end->IsWon() ? GameOutcome::WON : GameOutcome::LOST;
			break;
		}
	}
	result.moves = moves;
	return result;
}

bool ScriptedPlayer::TakeTurn()
{
	// Self Repair has no ceiling, so it is never wasted: use it at once.
	UseSelfRepair();
	if(RevealedCore())
		return FightCore();
	if(PickUpItem())
		return true;
	const Step toCore = BestStep([this](const NodeObject *n) { return IsCoreGoal(n); });
	// Each fight is reckoned alone, so a way whose fights add up to more
	// than the virus has is as hopeless as one single lost fight.
	const bool coreHopeless = !toCore.node || toCore.cost >= HOPELESS_COST || toCore.cost >= Staying();
	if((coreHopeless || CanRiskCache(toCore)) && OpenCache(true))
		return true;
	const Step toItem = HasFreeSlot() ? BestStep([this](const NodeObject *n) { return IsItemGoal(n); }) : Step();
	if(toItem.node && (toItem.cost <= ITEM_DETOUR || (coreHopeless && toItem.cost < HOPELESS_COST)))
		return Take(toItem);
	return Take(toCore) || OpenCache(false) || Explore();
}

// A cache can hold a Virus Suppressor, which would weaken every attack
// from then on; open one only if the way to the System Core would still be
// survivable after that.
bool ScriptedPlayer::CanRiskCache(const Step &toCore) const
{
	NodeObject *core = Core();
	if(!toCore.node || !core)
		return false;
	const FightForecast now = Forecast(core);
	const FightForecast weakened = Forecast(core, SUPPRESSOR_PENALTY);
	if(!now.Survives() || !weakened.Survives())
		return false;
	return toCore.cost - now.DamageTaken() + weakened.DamageTaken() < Staying();
}

// What the virus can still take, counting the Self Repair under way.
int ScriptedPlayer::Staying() const
{
	const VirusOutlook virus = Outlook();
	return virus.coherence + SELF_REPAIR_GAIN * virus.repairMoves;
}

// The System Core in sight: fight it, unless the fight looks lost and an
// item might still turn it.
bool ScriptedPlayer::FightCore()
{
	NodeObject *core = RevealedCore();
	if(Forecast(core).Survives() || !HasFreeSlot())
		return Fight(core);
	if(PickUpItem() || OpenCache(false))
		return true;
	const Step toItem = BestStep([this](const NodeObject *n) { return IsItemGoal(n); });
	if(toItem.node && toItem.cost < HOPELESS_COST)
		return Take(toItem);
	return Fight(core);
}

bool ScriptedPlayer::PickUpItem()
{
	if(!HasFreeSlot())
		return false;
	for(NodeObject *node : NodesIn(REVEALED))
		if(node->IsItem())
		{
			ClickNode(node);
			return true;
		}
	return false;
}

// A cache may hold a Defense Subsystem, which blocks whatever around it is
// not yet revealed; one with nothing left to block is a cheap gamble.
bool ScriptedPlayer::OpenCache(bool onlyHarmless)
{
	if(!HasFreeSlot())
		return false;
	for(NodeObject *node : NodesIn(REVEALED))
	{
		if(node->GetType() != DATA_CACHE)
			continue;
		const auto around = level->GetNeighbours(node);
		const bool harmless = std::all_of(around.begin(), around.end(),
			[](const NodeObject *n) { return n->GetState() == REVEALED; });
		if(harmless || !onlyHarmless)
		{
			ClickNode(node);
			return true;
		}
	}
	return false;
}

bool ScriptedPlayer::Explore()
{
	const std::vector<NodeObject *> open = NodesIn(ENCRYPTED);
	if(open.empty())
		return false;
	ClickNode(open.front());
	return true;
}

// An encrypted node is decrypted; a blocked one is opened by fighting the
// cheapest of the subsystems that block it.
bool ScriptedPlayer::Take(const Step &step)
{
	if(!step.node)
		return false;
	if(step.node->GetState() == ENCRYPTED)
	{
		ClickNode(step.node);
		return true;
	}
	const std::vector<NodeObject *> blockers = BlockersOf(step.node);
	return !blockers.empty() && Fight(blockers.front());
}

template<typename Goal> ScriptedPlayer::Step ScriptedPlayer::BestStep(Goal isGoal) const
{
	int cost[kGridColumns][kGridRows];
	using Entry = std::pair<int, GridPosition>;
	auto later = [](const Entry &a, const Entry &b) { return a.first > b.first; };
	std::priority_queue<Entry, std::vector<Entry>, decltype(later)> open(later);
	for(int column = 0; column < kGridColumns; ++column)
		for(int row = 0; row < kGridRows; ++row)
		{
			NodeObject *node = level->NodeAt(column, row);
			cost[column][row] = NO_WAY;
			if(node->GetType() != EMPTY && isGoal(node))
			{
				cost[column][row] = PassCost(node);
				open.push({cost[column][row], {column, row}});
			}
		}
	while(!open.empty())
	{
		const Entry here = open.top();
		open.pop();
		if(here.first > cost[here.second.column][here.second.row])
			continue;
		for(const GridPosition &next : GetGridNeighbours(here.second.column, here.second.row))
		{
			NodeObject *node = level->NodeAt(next.column, next.row);
			if(node->GetType() == EMPTY)
				continue;
			const int through = here.first + PassCost(node);
			if(through < cost[next.column][next.row])
			{
				cost[next.column][next.row] = through;
				open.push({through, next});
			}
		}
	}

	Step best;
	for(int state : {ENCRYPTED, BLOCKED})
		for(NodeObject *node : NodesIn(state))
		{
			const int c = cost[node->GetColumn()][node->GetRow()];
			if(c != NO_WAY && (!best.node || c < best.cost))
				best = {node, c};
		}
	return best;
}

// The revealed network costs nothing to cross, and a revealed subsystem is
// paid for by the blocked nodes behind it.
int ScriptedPlayer::PassCost(NodeObject *node) const
{
	if(node->GetState() == REVEALED)
		return 0;
	int cost = STEP_COST;
	if(Fights(node))
		cost += FightCost(node);
	if(node->GetState() == BLOCKED)
		for(NodeObject *blocker : BlockersOf(node))
			cost += FightCost(blocker);
	return std::min(cost, HOPELESS_COST);
}

int ScriptedPlayer::FightCost(NodeObject *node) const
{
	const FightForecast fight = Forecast(node);
	return fight.Survives() ? std::max(0, fight.DamageTaken()) : HOPELESS_COST;
}

bool ScriptedPlayer::IsCoreGoal(const NodeObject *node) const
{
	return node->GetType() == SYSTEM_CORE;
}

bool ScriptedPlayer::IsItemGoal(const NodeObject *node) const
{
	return node->IsItem();
}

bool ScriptedPlayer::Fight(NodeObject *target)
{
	if(target->GetCoherence() > level->GetVirusStrength())
	{
		if(UseItemOn(target))
			return true;
		RaiseShieldAgainst(target);
	}
	ClickNode(target);
	return true;
}

// Secondary Vector first: it hurts without drawing counter-attacks. Kernel
// Rot only when the halved opponent falls in fewer attacks.
bool ScriptedPlayer::UseItemOn(NodeObject *target)
{
	const int coherence = target->GetCoherence();
	const FightForecast plain = Forecast(target);
	const bool worthIt = target->GetType() == SYSTEM_CORE || !plain.Survives()
		|| plain.DamageTaken() >= COSTLY_FIGHT;
	if(!worthIt)
		return false;

	int slot = SlotHolding(ITEM_SECONDARY_VECTOR);
	if(slot < 0 || level->GetSecondaryVectorMoves() > 0)
	{
		slot = SlotHolding(ITEM_KERNEL_ROT);
		const int rotted = coherence - coherence / 2;
		if(slot < 0 || ForecastWithCoherence(target, rotted, Outlook()).Attacks() >= plain.Attacks())
			return false;
	}
	ClickSlot(slot);
	ClickNode(target);
	return true;
}

void ScriptedPlayer::RaiseShieldAgainst(NodeObject *target)
{
	const int slot = SlotHolding(ITEM_POLYMORPHIC_SHIELD);
	if(slot < 0 || level->GetShieldCharges() > 0)
		return;
	if(target->GetStrength() >= HARD_HIT || target->GetStrength() >= level->GetVirusCoherence())
		ClickSlot(slot);
}

void ScriptedPlayer::UseSelfRepair()
{
	for(int slot = SlotHolding(ITEM_SELF_REPAIR); slot >= 0; slot = SlotHolding(ITEM_SELF_REPAIR))
		ClickSlot(slot);
}

// A revealed opponent as it stands; one still to be revealed with the
// values it will show, and with what revealing it does to the virus and
// to the Restoration Nodes' work.
FightForecast ScriptedPlayer::Forecast(NodeObject *target, int strengthLoss) const
{
	VirusOutlook virus = Outlook();
	virus.strength -= strengthLoss;
	if(target->GetState() == REVEALED)
		return ForecastWithCoherence(target, target->GetCoherence(), virus);
	Opponent opponent;
	for(const KnownValues &known : REVEALED_VALUES)
		if(known.type == target->GetType())
		{
			opponent.coherence = known.coherence;
			opponent.strength = known.strength;
		}
	opponent.suppressor = target->GetType() == VIRUS_SUPPRESSOR;
	if(opponent.suppressor)
		virus.strength -= SUPPRESSOR_PENALTY;
	opponent.healPerMove = HealPerMove(1, target->GetType() == RESTORATION_NODE);
	// The move that reveals it already ends with a heal.
	opponent.coherence += opponent.healPerMove;
	return FightForecast(virus, opponent);
}

FightForecast ScriptedPlayer::ForecastWithCoherence(NodeObject *target, int coherence, const VirusOutlook &virus) const
{
	Opponent opponent;
	opponent.coherence = coherence;
	opponent.strength = target->GetStrength();
	opponent.healPerMove = HealPerMove(0, 0);
	opponent.suppressor = target->GetType() == VIRUS_SUPPRESSOR;
	return FightForecast(virus, opponent);
}

// Items still in the slots count as if used, since the player will use
// them before it is too late.
VirusOutlook ScriptedPlayer::Outlook() const
{
	VirusOutlook virus;
	virus.coherence = level->GetVirusCoherence();
	virus.strength = level->GetVirusStrength();
	virus.shieldCharges = level->GetShieldCharges() + SHIELD_CHARGES * HeldCount(ITEM_POLYMORPHIC_SHIELD);
	virus.repairMoves = level->GetSelfRepairMoves() + SELF_REPAIR_MOVES * HeldCount(ITEM_SELF_REPAIR);
	return virus;
}

// Each standing Restoration Node heals one random target per move; spread
// over the targets, rounded up to stay on the careful side.
int ScriptedPlayer::HealPerMove(int extraTargets, int extraHealers) const
{
	int healers = extraHealers;
	int targets = extraTargets;
	for(NodeObject *node : NodesIn(REVEALED))
	{
		if(!IsTarget(node))
			continue;
		++targets;
		if(node->GetType() == RESTORATION_NODE)
			++healers;
	}
	return healers ? (RESTORATION_HEAL * healers + targets - 1) / targets : 0;
}

// The standing subsystems that keep a node blocked, the cheapest first.
std::vector<NodeObject *> ScriptedPlayer::BlockersOf(NodeObject *node) const
{
	std::vector<NodeObject *> blockers;
	for(NodeObject *around : level->GetNeighbours(node))
		if(around->GetState() == REVEALED && around->IsDefenseSubsystem())
			blockers.push_back(around);
	std::stable_sort(blockers.begin(), blockers.end(), [this](NodeObject *a, NodeObject *b) {
		return Forecast(a).DamageTaken() < Forecast(b).DamageTaken();
	});
	return blockers;
}

// Known from the layout, revealed or not.
NodeObject *ScriptedPlayer::Core() const
{
	for(int column = 0; column < kGridColumns; ++column)
		for(int row = 0; row < kGridRows; ++row)
			if(level->NodeAt(column, row)->GetType() == SYSTEM_CORE)
				return level->NodeAt(column, row);
	return nullptr;
}

NodeObject *ScriptedPlayer::RevealedCore() const
{
	for(NodeObject *node : NodesIn(REVEALED))
		if(node->GetType() == SYSTEM_CORE)
			return node;
	return nullptr;
}

std::vector<NodeObject *> ScriptedPlayer::NodesIn(int state) const
{
	std::vector<NodeObject *> found;
	for(int column = 0; column < kGridColumns; ++column)
		for(int row = 0; row < kGridRows; ++row)
		{
			NodeObject *node = level->NodeAt(column, row);
			if(node->GetState() == state && node->GetType() != EMPTY)
				found.push_back(node);
		}
	return found;
}

bool ScriptedPlayer::IsTarget(const NodeObject *node) const
{
	return node->GetState() == REVEALED && Fights(node);
}

int ScriptedPlayer::SlotHolding(int item) const
{
	for(int slot = 0; slot < ItemSlots::SLOT_COUNT; ++slot)
		if(level->GetItemSlots()->ItemAt(slot) == item)
			return slot;
	return -1;
}

int ScriptedPlayer::HeldCount(int item) const
{
	int count = 0;
	for(int slot = 0; slot < ItemSlots::SLOT_COUNT; ++slot)
		count += level->GetItemSlots()->ItemAt(slot) == item;
	return count;
}

bool ScriptedPlayer::HasFreeSlot() const
{
	return HeldCount(EMPTY) > 0;
}

void ScriptedPlayer::ClickNode(const NodeObject *node)
{
	Trace("click", node);
	engine->MouseDown(LEFT_BUTTON, node->x, node->y);
}

void ScriptedPlayer::ClickSlot(int slot)
{
	const ItemSlots *slots = level->GetItemSlots();
	if(trace)
		fprintf(trace, "  slot %d holding item %d\n", slot, slots->ItemAt(slot));
	engine->MouseDown(LEFT_BUTTON, slots->SlotX(slot) + SLOT_MIDDLE, slots->SlotY(slot) + SLOT_MIDDLE);
}

void ScriptedPlayer::Trace(const char *what, const NodeObject *node) const
{
	if(!trace)
		return;
	fprintf(trace, "  move %d: %s (%d, %d) type %d state %d coherence %d; virus %d/%d\n", moves + 1, what,
		node->GetColumn(), node->GetRow(), node->GetType(), node->GetState(), node->GetCoherence(),
		level->GetVirusCoherence(), level->GetVirusStrength());
}

// One tick at the next due time: animations move on and a requested end
// screen takes over.
void ScriptedPlayer::Tick()
{
	engine->currentTick = std::max(engine->currentTick, engine->nextTickTime);
	engine->GameAction();
}

bool ScriptedPlayer::LevelEnded() const
{
	return engine->GetCurrentState() != level;
}
