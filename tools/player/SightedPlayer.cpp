#include "tools/player/SightedPlayer.h"

#include "leveldata/NodeType.h"
#include "tools/player/LevelWindow.h"

#include <algorithm>
#include <cstdlib>
#include <queue>

namespace {
	// A slot is 51 pixels square; its middle is safely inside.
	const int SLOT_MIDDLE = 25;
	const int SHIELD_CHARGES = 2;
	const int SELF_REPAIR_MOVES = 3;
	const int SECONDARY_VECTOR_MOVES = 3;
	const int RESTORATION_HEAL = 10;
	const int SELF_REPAIR_GAIN = 10;
	const int HINT_LIMIT = 5;
	// Counter-attacks this hard are worth a shield; the System Core's 10 is
	// not, unless it would finish the virus.
	const int HARD_HIT = 20;
	// A fight that costs this much coherence is worth an item.
	const int COSTLY_FIGHT = 20;
	// How much of a node's promise is left one decryption further away.
	const double FADE_PER_STEP = 0.6;
	// Ground behind a standing subsystem is as far again: it must be fought
	// open first.
	const int GUARDED_STEPS = 2;
	// Weighing promise against coherence: a fight costing this much halves
	// what its ground is worth.
	const double COHERENCE_WEIGHT = 25;
	// A decryption this promising goes before fighting a Restoration Node:
	// an objective is all but certain there.
	const double URGENT_PROMISE = 0.5;
	// How far a hunch can lift a choice: half again its promise.
	const double HUNCH = 0.5;
	// Below this a harmless Data Cache is a gamble the virus cannot afford:
	// a Virus Suppressor from it would weaken every attack to come.
	const int CACHE_RESERVE = 50;

	// The floating number, when it is a distance hint: hints run 1 to 5,
	// while the damage and healing a node can show in the same move run 10
	// and more.
	int HintIn(const std::string &text)
	{
		if(text.size() != 1 || text[0] < '1' || text[0] > '0' + HINT_LIMIT)
			return 0;
		return text[0] - '0';
	}
}

SightedPlayer::SightedPlayer(LevelWindow &window, unsigned seed)
	: window(window), hunches(seed)
{
}

GameResult SightedPlayer::Play(int moveLimit)
{
	GameResult result;
	view = window.Look();
	hints.Notice(view);
	while(moves < moveLimit)
	{
		if(!TakeTurn())
			break;
		++moves;
		result.coherence = view.virusCoherence;
		window.Tick();
		if(window.Ended())
		{
			result.outcome = window.Won() ? GameOutcome::WON : GameOutcome::LOST;
			break;
		}
		view = window.Look();
	}
	result.moves = moves;
	return result;
}

bool SightedPlayer::TakeTurn()
{
	// Self Repair has no ceiling, so it is never wasted: use it at once.
	UseSelfRepair();
	for(const GridPosition &p : Positions(REVEALED))
		if(view.At(p).type == SYSTEM_CORE)
			return FightCore(p);
	if(PickUpItem())
		return true;
	const Choice decryption = BestDecryption();
	if(decryption.score < URGENT_PROMISE && FightHealer())
		return true;
	if(decryption.Found())
	{
		ClickNode(decryption.position, "decrypt");
		return true;
	}
	if(Staying() >= CACHE_RESERVE && OpenCache(true))
		return true;
	return FightBestBlocker(true) || OpenCache(false) || DecryptAnything() || FightBestBlocker(false);
}

// A standing Restoration Node heals with every move, itself included, so
// every decryption makes the fights ahead dearer: while it is cheap, it
// goes first.
bool SightedPlayer::FightHealer()
{
	for(const GridPosition &p : Positions(REVEALED))
	{
		if(view.At(p).type != RESTORATION_NODE)
			continue;
		const FightForecast fight = Forecast(p);
		if(fight.Survives() && fight.DamageTaken() <= Staying() / 2)
			return Fight(p);
	}
	return false;
}

// The System Core in sight: fight it, unless the fight looks lost and an
// item might still turn it.
bool SightedPlayer::FightCore(GridPosition core)
{
	if(Forecast(core).Survives() || !HasFreeSlot())
		return Fight(core);
	if(PickUpItem() || OpenCache(false))
		return true;
	const Choice decryption = BestDecryption();
	if(decryption.Found())
	{
		ClickNode(decryption.position, "decrypt");
		return true;
	}
	return Fight(core);
}

bool SightedPlayer::PickUpItem()
{
	if(!HasFreeSlot())
		return false;
	for(const GridPosition &p : Positions(REVEALED))
		if(IsItem(view.At(p).type))
		{
			ClickNode(p, "pick up");
			return true;
		}
	return false;
}

// A cache may hold a Defense Subsystem, which blocks whatever around it is
// not yet revealed; one with nothing left to block is the cheaper gamble.
bool SightedPlayer::OpenCache(bool onlyHarmless)
{
	if(!HasFreeSlot())
		return false;
	for(const GridPosition &p : Positions(REVEALED))
	{
		if(view.At(p).type != DATA_CACHE)
			continue;
		const auto around = GetGridNeighbours(p.column, p.row);
		const bool harmless = std::all_of(around.begin(), around.end(),
			[this](GridPosition n) { return view.At(n).state == REVEALED; });
		if(harmless || !onlyHarmless)
		{
			ClickNode(p, "open");
			return true;
		}
	}
	return false;
}

// The blocked node whose ground is most promising for the coherence its
// blockers are expected to cost, fought open one blocker at a time, the
// cheapest first.
bool SightedPlayer::FightBestBlocker(bool onlySurvivable)
{
	Choice best;
	GridPosition firstBlocker = {-1, -1};
	for(const GridPosition &p : Positions(BLOCKED))
	{
		std::vector<GridPosition> blockers = BlockersOf(p);
		if(blockers.empty())
			continue;
		std::stable_sort(blockers.begin(), blockers.end(), [this](GridPosition a, GridPosition b) {
			return Forecast(a).DamageTaken() < Forecast(b).DamageTaken();
		});
		const FightCost cost = CostOfFights(blockers);
		if(onlySurvivable && !cost.survivable)
			continue;
		const double worth = Judge(Promise({p})) / (1 + cost.coherence / COHERENCE_WEIGHT);
		if(!best.Found() || worth > best.score)
		{
			best = {p, worth};
			firstBlocker = blockers.front();
		}
	}
	return best.Found() && Fight(firstBlocker);
}

// The fights one after another, each starting from what the last one left.
SightedPlayer::FightCost SightedPlayer::CostOfFights(const std::vector<GridPosition> &targets) const
{
	FightCost cost;
	VirusOutlook virus = Outlook();
	for(const GridPosition &target : targets)
	{
		const FightForecast fight = Forecast(target, view.At(target).coherence, virus);
		cost.coherence += std::max(0, fight.DamageTaken());
		cost.survivable = cost.survivable && fight.Survives();
		virus = fight.After();
	}
	return cost;
}

SightedPlayer::Choice SightedPlayer::BestDecryption()
{
	Choice best;
	for(const GridPosition &p : Positions(ENCRYPTED))
	{
		const double promise = Judge(Promise({p}));
		if(promise > 0 && (!best.Found() || promise > best.score))
			best = {p, promise};
	}
	return best;
}

// Ground the hints have ruled out may still hold a way onward that the
// player has not thought of; it is the last thing worth a move.
bool SightedPlayer::DecryptAnything()
{
	const std::vector<GridPosition> open = Positions(ENCRYPTED);
	if(open.empty())
		return false;
	ClickNode(open.front(), "decrypt");
	return true;
}

// The engine behind minstd_rand is fixed by the standard, so the hunches
// are the same on every machine; the distributions are not, hence the
// plain scaling.
double SightedPlayer::Judge(double promise)
{
	const double hunch = static_cast<double>(hunches() - hunches.min()) / (hunches.max() - hunches.min());
	return promise * (1 + HUNCH * hunch);
}

double SightedPlayer::Promise(const std::vector<GridPosition> &sources) const
{
	int steps[kGridColumns][kGridRows];
	for(auto &column : steps)
		std::fill(std::begin(column), std::end(column), -1);
	using Entry = std::pair<int, GridPosition>;
	auto later = [](const Entry &a, const Entry &b) { return a.first > b.first; };
	std::priority_queue<Entry, std::vector<Entry>, decltype(later)> open(later);
	for(const GridPosition &source : sources)
	{
		steps[source.column][source.row] = 0;
		open.push({0, source});
	}
	double promise = 0;
	double fade[kGridColumns * kGridRows * (GUARDED_STEPS + 1)];
	fade[0] = 1;
	for(size_t i = 1; i < sizeof(fade) / sizeof(fade[0]); ++i)
		fade[i] = fade[i - 1] * FADE_PER_STEP;
	while(!open.empty())
	{
		const auto [cost, here] = open.top();
		open.pop();
		if(cost > steps[here.column][here.row])
			continue;
		promise += hints.Chance(view, here) * fade[cost];
		for(const GridPosition &next : GetGridNeighbours(here.column, here.row))
		{
			const NodeView &node = view.At(next);
			if(!node.present || node.state == REVEALED)
				continue;
			const int through = cost + 1 + (BlockersOf(next).empty() ? 0 : GUARDED_STEPS);
			if(steps[next.column][next.row] < 0 || through < steps[next.column][next.row])
			{
				steps[next.column][next.row] = through;
				open.push({through, next});
			}
		}
	}
	return promise;
}

std::vector<GridPosition> SightedPlayer::BlockersOf(GridPosition position) const
{
	std::vector<GridPosition> blockers;
	for(const GridPosition &around : GetGridNeighbours(position.column, position.row))
	{
		const NodeView &node = view.At(around);
		if(node.present && node.state == REVEALED && IsDefenseSubsystem(node.type))
			blockers.push_back(around);
	}
	return blockers;
}

bool SightedPlayer::Fight(GridPosition target)
{
	if(view.At(target).coherence > view.virusStrength)
	{
		if(UseItemOn(target))
			return true;
		RaiseShieldAgainst(target);
	}
	ClickNode(target, "attack");
	return true;
}

// Secondary Vector first: it hurts without drawing counter-attacks. Kernel
// Rot only when the halved opponent falls in fewer attacks.
bool SightedPlayer::UseItemOn(GridPosition target)
{
	const NodeView &node = view.At(target);
	const FightForecast plain = Forecast(target);
	const bool worthIt = node.type == SYSTEM_CORE || !plain.Survives() || plain.DamageTaken() >= COSTLY_FIGHT;
	if(!worthIt)
		return false;

	int slot = SlotHolding(ITEM_SECONDARY_VECTOR);
	if(slot < 0 || vectorMoves > 0)
	{
		slot = SlotHolding(ITEM_KERNEL_ROT);
		const int rotted = node.coherence - node.coherence / 2;
		if(slot < 0 || Forecast(target, rotted, Outlook()).Attacks() >= plain.Attacks())
			return false;
	}
	if(view.items[slot] == ITEM_SECONDARY_VECTOR)
		vectorMoves = SECONDARY_VECTOR_MOVES;
	ClickSlot(slot);
	applyingItem = true;
	ClickNode(target, "apply item to");
	applyingItem = false;
	return true;
}

void SightedPlayer::RaiseShieldAgainst(GridPosition target)
{
	const int slot = SlotHolding(ITEM_POLYMORPHIC_SHIELD);
	if(slot < 0 || shieldCharges > 0)
		return;
	const int strength = view.At(target).strength;
	if(strength >= HARD_HIT || strength >= view.virusCoherence)
	{
		ClickSlot(slot);
		shieldCharges += SHIELD_CHARGES;
	}
}

void SightedPlayer::UseSelfRepair()
{
	for(int slot = SlotHolding(ITEM_SELF_REPAIR); slot >= 0; slot = SlotHolding(ITEM_SELF_REPAIR))
	{
		ClickSlot(slot);
		repairMoves += SELF_REPAIR_MOVES;
	}
}

FightForecast SightedPlayer::Forecast(GridPosition target, int coherence, const VirusOutlook &virus) const
{
	const NodeView &node = view.At(target);
	Opponent opponent;
	opponent.coherence = coherence;
	opponent.strength = node.strength;
	opponent.healPerMove = HealPerMove();
	opponent.suppressor = node.type == VIRUS_SUPPRESSOR;
	return FightForecast(virus, opponent);
}

FightForecast SightedPlayer::Forecast(GridPosition target) const
{
	return Forecast(target, view.At(target).coherence, Outlook());
}

// Items still in the slots count as if used, since the player will use
// them before it is too late.
VirusOutlook SightedPlayer::Outlook() const
{
	VirusOutlook virus;
	virus.coherence = view.virusCoherence;
	virus.strength = view.virusStrength;
	virus.shieldCharges = shieldCharges + SHIELD_CHARGES * HeldCount(ITEM_POLYMORPHIC_SHIELD);
	virus.repairMoves = repairMoves + SELF_REPAIR_MOVES * HeldCount(ITEM_SELF_REPAIR);
	return virus;
}

// Each standing Restoration Node heals one random target per move; spread
// over the targets, rounded up to stay on the careful side.
int SightedPlayer::HealPerMove() const
{
	int healers = 0;
	int targets = 0;
	for(const GridPosition &p : Positions(REVEALED))
	{
		if(!IsTarget(p))
			continue;
		++targets;
		healers += view.At(p).type == RESTORATION_NODE;
	}
	return healers ? (RESTORATION_HEAL * healers + targets - 1) / targets : 0;
}

// What the virus can still take, counting the Self Repair under way.
int SightedPlayer::Staying() const
{
	const VirusOutlook virus = Outlook();
	return virus.coherence + SELF_REPAIR_GAIN * virus.repairMoves;
}

bool SightedPlayer::IsTarget(GridPosition position) const
{
	const NodeView &node = view.At(position);
	return node.present && node.state == REVEALED && IsFighter(node.type);
}

std::vector<GridPosition> SightedPlayer::Positions(int state) const
{
	std::vector<GridPosition> found;
	for(int column = 0; column < kGridColumns; ++column)
		for(int row = 0; row < kGridRows; ++row)
			if(view.nodes[column][row].present && view.nodes[column][row].state == state)
				found.push_back({column, row});
	return found;
}

int SightedPlayer::SlotHolding(int item) const
{
	for(int slot = 0; slot < ItemSlots::SLOT_COUNT; ++slot)
		if(view.items[slot] == item)
			return slot;
	return -1;
}

int SightedPlayer::HeldCount(int item) const
{
	return static_cast<int>(std::count(view.items.begin(), view.items.end(), item));
}

bool SightedPlayer::HasFreeSlot() const
{
	return HeldCount(EMPTY) > 0;
}

// Every click here is a move: the player never clicks what the rules
// refuse. Reads the screen again before the tick, while the level still
// stands even if this move ended it.
void SightedPlayer::ClickNode(GridPosition position, const char *what)
{
	const NodeView before = view.At(position);
	if(trace)
		fprintf(trace, "  move %d: %s (%d, %d) state %d type %d coherence %d; virus %d/%d\n", moves + 1, what,
			position.column, position.row, before.state, before.type, before.coherence, view.virusCoherence,
			view.virusStrength);
	window.LeftClick(before.x, before.y);
	view = window.Look();
	hints.Notice(view);
	if(before.state == ENCRYPTED)
		ReadHint(position);
	// An attack that leaves its target standing draws a counter-attack,
	// which a shield charge absorbs.
	if(IsFighter(before.type) && !applyingItem && IsTarget(position) && shieldCharges > 0)
		--shieldCharges;
	repairMoves = std::max(0, repairMoves - 1);
	vectorMoves = std::max(0, vectorMoves - 1);
}

void SightedPlayer::ReadHint(GridPosition decrypted)
{
	const NodeView &node = view.At(decrypted);
	if(IsObjective(node.type))
		return;
	const int hint = HintIn(node.floatingText);
	if(hint > 0)
		hints.Record(view, decrypted, hint);
}

void SightedPlayer::ClickSlot(int slot)
{
	if(trace)
		fprintf(trace, "  slot %d holding item %d\n", slot, view.items[slot]);
	window.LeftClick(view.slotX[slot] + SLOT_MIDDLE, view.slotY[slot] + SLOT_MIDDLE);
	view = window.Look();
}
