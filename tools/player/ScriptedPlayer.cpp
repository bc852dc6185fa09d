#include "tools/player/ScriptedPlayer.h"

#include "leveldata/GridPosition.h"
#include "leveldata/NodeType.h"
#include "rules/LevelRules.h"
#include "rules/NetworkNode.h"
#include "tools/player/HintExplorer.h"
#include "tools/player/MapRoute.h"
#include "tools/player/PlayedGame.h"

#include <algorithm>

namespace {
	// A fight that costs this much coherence is worth an item.
	const int COSTLY_FIGHT = 20;

	// Counter-attacks harder than the System Core's are worth a shield; the
	// core's are not, unless they would finish the virus.
	int CoreStrength()
	{
		int coherence = 0;
		int strength = 0;
		NetworkNode::StartingValues(SYSTEM_CORE, coherence, strength);
		return strength;
	}
	const int MILD_HIT = CoreStrength();
}

ScriptedPlayer::ScriptedPlayer(PlayedGame &game, unsigned seed) : game(game)
{
	See();
	if(view.ShowsHiddenNodes())
		plan = std::make_unique<MapRoute>();
	else
		plan = std::make_unique<HintExplorer>(seed);
}

ScriptedPlayer::~ScriptedPlayer() = default;

GameResult ScriptedPlayer::Play(int moveLimit)
{
	GameResult result;
	plan->Notice(view);
	while(moves < moveLimit)
	{
		if(!TakeTurn())
			break;
		++moves;
		result.coherence = view.virus.coherence;
		if(game.Ended())
		{
			result.outcome = game.Won() ? GameOutcome::WON : GameOutcome::LOST;
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
	for(const GridPosition &p : Positions(REVEALED))
		if(view.At(p).type == SYSTEM_CORE)
			return FightCore(p);
	return PickUpItem() || plan->Advance(*this);
}

// The System Core in sight: fight it, unless the fight looks lost and an
// item might still turn it.
bool ScriptedPlayer::FightCore(GridPosition core)
{
	if(Forecast(core).Survives() || !view.items.HasFreeSlot())
		return Fight(core);
	if(PickUpItem() || OpenCache(false) || plan->SeekHelp(*this))
		return true;
	return Fight(core);
}

bool ScriptedPlayer::PickUpItem()
{
	if(!view.items.HasFreeSlot())
		return false;
	for(const GridPosition &p : Positions(REVEALED))
		if(IsItem(view.At(p).type))
		{
			Click(p, "pick up");
			return true;
		}
	return false;
}

bool ScriptedPlayer::OpenCache(bool onlyHarmless)
{
	if(!view.items.HasFreeSlot())
		return false;
	for(const GridPosition &p : Positions(REVEALED))
	{
		if(view.At(p).type != DATA_CACHE)
			continue;
		const auto &around = NeighboursOf(p);
		const bool harmless =
			std::all_of(around.begin(), around.end(), [this](GridPosition n) { return view.At(n).state == REVEALED; });
		if(harmless || !onlyHarmless)
		{
			Click(p, "open");
			return true;
		}
	}
	return false;
}

bool ScriptedPlayer::DecryptFirst()
{
	const std::vector<GridPosition> open = Positions(ENCRYPTED);
	if(open.empty())
		return false;
	Click(open.front(), "decrypt");
	return true;
}

bool ScriptedPlayer::Fight(GridPosition target)
{
	if(view.At(target).coherence > view.virus.strength)
	{
		if(UseItemOn(target))
			return true;
		RaiseShieldAgainst(target);
	}
	Click(target, "attack");
	return true;
}

// Secondary Vector first: it hurts without drawing counter-attacks. Kernel
// Rot only when the halved opponent falls in fewer attacks.
bool ScriptedPlayer::UseItemOn(GridPosition target)
{
	const NodeView &node = view.At(target);
	const FightForecast plain = Forecast(target);
	const bool worthIt = node.type == SYSTEM_CORE || !plain.Survives() || plain.DamageTaken() >= COSTLY_FIGHT;
	if(!worthIt)
		return false;

	int slot = view.items.SlotHolding(ITEM_SECONDARY_VECTOR);
	if(slot < 0 || view.secondaryVectorMoves > 0)
	{
		slot = view.items.SlotHolding(ITEM_KERNEL_ROT);
		const int rotted = node.coherence - LevelRules::KernelRotDamage(node.coherence);
		if(slot < 0 || Forecast(target, rotted, Outlook()).Attacks() >= plain.Attacks())
			return false;
	}
	ClickSlot(slot);
	Click(target, "apply item to");
	return true;
}

void ScriptedPlayer::RaiseShieldAgainst(GridPosition target)
{
	const int slot = view.items.SlotHolding(ITEM_POLYMORPHIC_SHIELD);
	if(slot < 0 || view.virus.shieldCharges > 0)
		return;
	const int strength = view.At(target).strength;
	if(strength > MILD_HIT || strength >= view.virus.coherence)
		ClickSlot(slot);
}

void ScriptedPlayer::UseSelfRepair()
{
	for(int slot = view.items.SlotHolding(ITEM_SELF_REPAIR); slot >= 0; slot = view.items.SlotHolding(ITEM_SELF_REPAIR))
		ClickSlot(slot);
}

FightForecast ScriptedPlayer::Forecast(GridPosition target, int strengthLoss) const
{
	const NodeView &node = view.At(target);
	Virus virus = Outlook();
	virus.strength -= strengthLoss;
	if(node.state == REVEALED)
		return Forecast(target, node.coherence, virus);
	return ForecastRevealing(node.type, virus);
}

FightForecast ScriptedPlayer::ForecastRevealing(int type, Virus virus) const
{
	int coherence = 0;
	int strength = 0;
	NetworkNode::StartingValues(type, coherence, strength);
	virus.NodeRevealed(type);
	Opponent opponent;
	opponent.healPerMove = HealPerMove(1, type == RESTORATION_NODE);
	// The move that reveals it already ends with a heal.
	opponent.node = NetworkNode::Standing(type, coherence + opponent.healPerMove, strength);
	return FightForecast(virus, opponent);
}

FightForecast ScriptedPlayer::Forecast(GridPosition target, int coherence, const Virus &virus) const
{
	const NodeView &node = view.At(target);
	Opponent opponent;
	opponent.node = NetworkNode::Standing(node.type, coherence, node.strength);
	opponent.healPerMove = HealPerMove(0, 0);
	return FightForecast(virus, opponent);
}

Virus ScriptedPlayer::Outlook() const
{
	Virus virus = view.virus;
	for(int held = view.items.CountOf(ITEM_POLYMORPHIC_SHIELD); held > 0; --held)
		virus.RaiseShield();
	for(int held = view.items.CountOf(ITEM_SELF_REPAIR); held > 0; --held)
		virus.StartSelfRepair();
	return virus;
}

int ScriptedPlayer::Staying() const
{
	const Virus virus = Outlook();
	return virus.coherence + Virus::SELF_REPAIR_GAIN * virus.selfRepairMoves;
}

int ScriptedPlayer::HealPerMove(int extraTargets, int extraHealers) const
{
	const int allHealers = healers + extraHealers;
	const int allTargets = targets + extraTargets;
	const int heal = LevelRules::RESTORATION_HEAL;
	return allHealers ? (heal * allHealers + allTargets - 1) / allTargets : 0;
}

std::vector<GridPosition> ScriptedPlayer::BlockersOf(GridPosition position) const
{
	std::vector<GridPosition> blockers;
	for(const GridPosition &around : NeighboursOf(position))
	{
		const NodeView &node = view.At(around);
		if(node.present && NetworkNode::Blocks(node.type, node.state))
			blockers.push_back(around);
	}
	return blockers;
}

void ScriptedPlayer::CheapestFirst(std::vector<GridPosition> &opponents) const
{
	std::stable_sort(opponents.begin(), opponents.end(),
		[this](GridPosition a, GridPosition b) { return Forecast(a).DamageTaken() < Forecast(b).DamageTaken(); });
}

bool ScriptedPlayer::IsTarget(GridPosition position) const
{
	const NodeView &node = view.At(position);
	return node.present && NetworkNode::IsTarget(node.type, node.state);
}

// Every click here is a move: the player never clicks what the rules
// refuse.
void ScriptedPlayer::Click(GridPosition position, const char *what)
{
	const NodeView before = view.At(position);
	if(trace)
		fprintf(trace, "  move %d: %s (%d, %d) state %d type %d coherence %d; virus %d/%d\n", moves + 1, what,
			position.column, position.row, before.state, before.type, before.coherence, view.virus.coherence,
			view.virus.strength);
	game.ClickNode(position);
	See();
	plan->Notice(view);
	if(before.state == ENCRYPTED)
		plan->ReadHint(view, position);
}

void ScriptedPlayer::ClickSlot(int slot)
{
	if(trace)
		fprintf(trace, "  slot %d holding item %d\n", slot, view.items.ItemAt(slot));
	game.ClickSlot(slot);
	See();
}

void ScriptedPlayer::See()
{
	view = game.Look();
	for(std::vector<GridPosition> &inState : positions)
		inState.clear();
	healers = 0;
	targets = 0;
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
		{
			const NodeView &node = view.nodes[column][row];
			guarded[column][row] = false;
			if(!node.present)
				continue;
			positions[node.state].push_back({column, row});
			if(!IsTarget({column, row}))
				continue;
			++targets;
			healers += node.type == RESTORATION_NODE;
		}
	for(const GridPosition &p : positions[REVEALED])
		if(NetworkNode::Blocks(view.At(p).type, REVEALED))
			for(const GridPosition &around : NeighboursOf(p))
				guarded[around.column][around.row] = true;
}
