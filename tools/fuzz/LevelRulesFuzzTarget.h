#ifndef VEXARIFT_TOOLS_FUZZ_LEVELRULESFUZZTARGET_H
#define VEXARIFT_TOOLS_FUZZ_LEVELRULESFUZZTARGET_H

#include "rules/LevelRules.h"
#include "rules/SeededRandom.h"
#include "tools/fuzz/LevelInput.h"

#include <cstring>
#include <string>

// One fuzz input played on the rules alone, twice with the same seed, the
// two plays side by side. After every move it checks what must always hold
// on the first, and that the second gave the same report and holds the same
// level byte for byte: so the second needs no checks of its own, and no log
// of a whole play is kept. Returns the first broken promise, or an empty
// string. Shared by the fuzzer and the test that replays its corpus without
// one.
class LevelRulesFuzzTarget {
public:
	static std::string Run(const LevelInput &input)
	{
		LevelRulesFuzzTarget target(input.seed);
		target.Play(input);
		return target.failure;
	}

private:
	// Coherence and strength of every node as the reports say they went.
	struct Expected {
		int coherence[GRID_COLUMNS][GRID_ROWS] = {};
		int strength[GRID_COLUMNS][GRID_ROWS] = {};
	};

	struct Snapshot {
		NetworkNode nodes[GRID_COLUMNS][GRID_ROWS];
		Virus virus;
		int items[ItemInventory::SLOT_COUNT];
		int selectedSlot;
		int secondaryVectorMoves;
		GridPosition secondaryVectorTarget;
		LevelOutcome outcome;

		const NetworkNode &At(GridPosition at) const { return nodes[at.column][at.row]; }

		static_assert(sizeof(NetworkNode) == 4 * sizeof(int) + sizeof(unsigned) && sizeof(Virus) == 4 * sizeof(int),
			"compared byte for byte");
		bool operator==(const Snapshot &other) const
		{
			return std::memcmp(nodes, other.nodes, sizeof(nodes)) == 0 &&
				std::memcmp(&virus, &other.virus, sizeof(virus)) == 0 &&
				std::memcmp(items, other.items, sizeof(items)) == 0 && selectedSlot == other.selectedSlot &&
				secondaryVectorMoves == other.secondaryVectorMoves &&
				secondaryVectorTarget == other.secondaryVectorTarget && outcome == other.outcome;
		}
	};

	explicit LevelRulesFuzzTarget(uint32_t seed) : random(seed), rules(random), replayRandom(seed), replay(replayRandom)
	{}

	void Play(const LevelInput &input)
	{
		Restart(input.map);
		for(const LevelInput::Move &move : input.moves)
		{
			if(move.kind == LevelInput::MoveKind::RESTART)
				Restart(input.map);
			else if(move.kind == LevelInput::MoveKind::SLOT)
				UseSlot(move.slot);
			else
				Click(move.at);
			if(!failure.empty())
				return;
		}
	}

	void Restart(const MapRecord &map)
	{
		rules.Start(map);
		replay.Start(map);
		start = map.GetStart();
		expected = Expected();
		const Snapshot now = Take(rules);
		CheckReplay(MoveReport(), MoveReport(), now);
		CheckLevel(now);
	}

	void Click(GridPosition at)
	{
		const Snapshot before = Take(rules);
		const MoveReport report = rules.ClickNode(at);
		const Snapshot now = Take(rules);
		CheckReplay(report, replay.ClickNode(at), now);
		if(before.outcome != LevelOutcome::PLAYING && (report.moved || !report.events.empty()))
			return Fail("a level that ended took a move");
		if(!report.moved && !(report.events.empty() && now == before))
			return Fail("a refused click changed the level");
		// A level left byte for byte as it was passed every check before.
		if(!report.moved)
			return;
		Follow(before, report);
		CheckVirus(before, now, report);
		CheckNodes(before, now);
		CheckLevel(now);
	}

	void UseSlot(int slot)
	{
		const Snapshot before = Take(rules);
		const MoveReport report = rules.ActivateSlot(slot);
		const Snapshot now = Take(rules);
		CheckReplay(report, replay.ActivateSlot(slot), now);
		if(report.moved)
			return Fail("using a slot counted as a move");
		if(before.outcome != LevelOutcome::PLAYING && !(report.events.empty() && now == before))
			return Fail("a level that ended let a slot be used");
		const int item = ItemInventory::IsSlot(slot) ? before.items[slot] : 0;
		const bool usedUp = item == ITEM_SELF_REPAIR || item == ITEM_POLYMORPHIC_SHIELD;
		if(before.outcome == LevelOutcome::PLAYING && report.Has(MoveEventKind::ITEM_USED) != usedUp)
			return Fail("a slot's item was used up, or kept, against its kind");
		CheckLevel(now);
	}

	// The second play, with the same seed, must say and hold the same.
	void CheckReplay(const MoveReport &report, const MoveReport &again, const Snapshot &now)
	{
		if(!SameReport(report, again) || !(Take(replay) == now))
			Fail("the same seed and moves gave another report");
	}

	static bool SameReport(const MoveReport &a, const MoveReport &b)
	{
		if(a.moved != b.moved || a.events.size() != b.events.size())
			return false;
		for(size_t i = 0; i < a.events.size(); ++i)
		{
			const MoveEvent &x = a.events[i];
			const MoveEvent &y = b.events[i];
			if(x.kind != y.kind || !(x.at == y.at) || x.value != y.value)
				return false;
		}
		return true;
	}

	// Takes each change of the report into the expected values. Types
	// change only once revealed, so a node decrypted now has its type from
	// before the move.
	void Follow(const Snapshot &before, const MoveReport &report)
	{
		for(const MoveEvent &event : report.events)
		{
			const int c = event.at.column;
			const int r = event.at.row;
			switch(event.kind)
			{
			case MoveEventKind::REVEALED:
			case MoveEventKind::OPENED:
				// A fighter starts fresh; a later event may hack it.
				NetworkNode::StartingValues(
					event.kind == MoveEventKind::OPENED ? event.value : before.nodes[c][r].GetType(),
					expected.coherence[c][r], expected.strength[c][r]);
				break;
			case MoveEventKind::DAMAGED:
				expected.coherence[c][r] -= event.value;
				break;
			case MoveEventKind::HEALED:
				expected.coherence[c][r] += event.value;
				break;
			default:
				break;
			}
		}
	}

	void CheckVirus(const Snapshot &before, const Snapshot &now, const MoveReport &report)
	{
		int lost = 0;
		int shielded = 0;
		for(const MoveEvent &event : report.events)
		{
			lost += event.kind == MoveEventKind::COUNTERED ? event.value : 0;
			shielded += event.kind == MoveEventKind::SHIELDED;
		}
		const bool repaired = report.moved && before.virus.selfRepairMoves > 0;
		const Virus &virus = now.virus;
		if(virus.coherence != before.virus.coherence - lost + (repaired ? Virus::SELF_REPAIR_GAIN : 0))
			return Fail("the virus's coherence changed by more than its blows and repairs");
		if(virus.shieldCharges != before.virus.shieldCharges - shielded)
			return Fail("a shield charge went without a blow taken");
		if(virus.selfRepairMoves != before.virus.selfRepairMoves - (repaired ? 1 : 0))
			return Fail("Self Repair ran for the wrong number of moves");
	}

	// What only a revealed node may do, and what it keeps.
	void CheckNodes(const Snapshot &before, const Snapshot &now)
	{
		for(int c = 0; c < GRID_COLUMNS; ++c)
			for(int r = 0; r < GRID_ROWS; ++r)
			{
				const NetworkNode &was = before.nodes[c][r];
				const NetworkNode &is = now.nodes[c][r];
				if(was.GetState() == REVEALED && is.GetState() != REVEALED)
					return Fail("a node left REVEALED");
				if(was.GetType() != is.GetType() && was.GetState() != REVEALED && is.GetState() != REVEALED)
					return Fail("a node changed type unseen");
				if(was.GetType() != EMPTY && is.GetType() == EMPTY)
					return Fail("a node became EMPTY");
			}
	}

	// What holds between any two moves.
	void CheckLevel(const Snapshot &now)
	{
		int suppressors = 0;
		for(int c = 0; c < GRID_COLUMNS; ++c)
			for(int r = 0; r < GRID_ROWS; ++r)
			{
				const NetworkNode &node = now.nodes[c][r];
				if(node.GetType() < EMPTY || node.GetType() > DATA_CACHE || node.GetState() < HIDDEN ||
					node.GetState() > REVEALED)
					return Fail("a node's type or state out of range");
				if(node.GetType() == EMPTY && node.GetState() != REVEALED && !(GridPosition{c, r} == start))
					return Fail("an EMPTY node not revealed");
				if(node.GetCoherence() != expected.coherence[c][r] || node.GetStrength() != expected.strength[c][r])
					return Fail("a node's coherence or strength is not what the reports made it");
				if(node.IsTarget() && node.GetCoherence() <= 0)
					return Fail("a fighter stands with no coherence");
				if(node.GetState() == BLOCKED && !BesideRevealedDefence(now, {c, r}))
					return Fail("a node blocked with no revealed Defense Subsystem beside it");
				suppressors += node.GetState() == REVEALED && node.GetType() == VIRUS_SUPPRESSOR;
			}
		const Virus &virus = now.virus;
		if(virus.strength != Virus::STARTING_STRENGTH - suppressors * Virus::SUPPRESSOR_PENALTY)
			return Fail("the virus's strength does not match the revealed Virus Suppressors");
		if(rules.GetOutcome() == LevelOutcome::PLAYING && virus.IsDestroyed())
			return Fail("the level goes on with the virus destroyed");
		if(virus.shieldCharges < 0 || virus.selfRepairMoves < 0)
			return Fail("a running item below zero");
		const int vectorMoves = now.secondaryVectorMoves;
		if(vectorMoves < 0 || vectorMoves > LevelRules::SECONDARY_VECTOR_MOVES)
			return Fail("Secondary Vector runs out of its range");
		int held = 0;
		for(int slot = -1; slot <= ItemInventory::SLOT_COUNT; ++slot)
		{
			const int item = rules.GetItems().ItemAt(slot);
			if(item != 0 && (!IsItem(item) || !ItemInventory::IsSlot(slot)))
				return Fail("a slot holds what is no item");
			held += item != 0;
		}
		if(held > ItemInventory::SLOT_COUNT)
			return Fail("more than three items held");
		const int selected = now.selectedSlot;
		const int waiting = rules.GetItems().ItemAt(selected);
		if(selected != -1 && waiting != ITEM_KERNEL_ROT && waiting != ITEM_SECONDARY_VECTOR)
			return Fail("a slot waits for a target with no item that takes one");
	}

	static bool BesideRevealedDefence(const Snapshot &now, GridPosition at)
	{
		for(const GridPosition &p : NeighboursOf(at))
			if(now.At(p).Blocks())
				return true;
		return false;
	}

	static Snapshot Take(const LevelRules &level)
	{
		Snapshot snapshot;
		// The rules keep the grid as one array: one copy, not one per node,
		// which under the sanitizers took half the fuzzer's time.
		std::memcpy(snapshot.nodes, &level.At({0, 0}), sizeof(snapshot.nodes));
		snapshot.virus = level.GetVirus();
		for(int i = 0; i < ItemInventory::SLOT_COUNT; ++i)
			snapshot.items[i] = level.GetItems().ItemAt(i);
		snapshot.selectedSlot = level.GetSelectedSlot();
		snapshot.secondaryVectorMoves = level.GetSecondaryVectorMoves();
		snapshot.secondaryVectorTarget = level.GetSecondaryVectorTarget();
		snapshot.outcome = level.GetOutcome();
		return snapshot;
	}

	void Fail(const std::string &what)
	{
		if(failure.empty())
			failure = what;
	}

	SeededRandom random;
	LevelRules rules;
	SeededRandom replayRandom;
	LevelRules replay;
	GridPosition start = {0, 0};
	Expected expected;
	std::string failure;
};

#endif
