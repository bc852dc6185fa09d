#ifndef VEXARIFT_TOOLS_FUZZ_LEVELRULESFUZZTARGET_H
#define VEXARIFT_TOOLS_FUZZ_LEVELRULESFUZZTARGET_H

#include "rules/LevelRules.h"
#include "rules/SeededRandom.h"
#include "tools/fuzz/LevelInput.h"

#include <cstring>
#include <string>
#include <vector>

// One fuzz input played on the rules alone, twice with the same seed. After
// every move it checks what must always hold, and that both plays gave the
// same reports. Returns the first broken promise, or an empty string. Shared
// by the fuzzer and the test that replays its corpus without one.
class LevelRulesFuzzTarget {
public:
	static std::string Run(const LevelInput &input)
	{
		LevelRulesFuzzTarget first(input.seed);
		LevelRulesFuzzTarget second(input.seed);
		first.Play(input);
		if(!first.failure.empty())
			return first.failure;
		second.Play(input);
		if(first.log != second.log)
			return "the same seed and moves gave another report";
		return second.failure;
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
		LevelOutcome outcome;

		static_assert(sizeof(NetworkNode) == 4 * sizeof(int) + sizeof(unsigned) && sizeof(Virus) == 4 * sizeof(int),
			"compared byte for byte");
		bool operator==(const Snapshot &other) const
		{
			return std::memcmp(nodes, other.nodes, sizeof(nodes)) == 0 &&
				std::memcmp(&virus, &other.virus, sizeof(virus)) == 0 &&
				std::memcmp(items, other.items, sizeof(items)) == 0 && selectedSlot == other.selectedSlot &&
				secondaryVectorMoves == other.secondaryVectorMoves && outcome == other.outcome;
		}
	};

	explicit LevelRulesFuzzTarget(uint32_t seed) : random(seed), rules(random) {}

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
		start = map.GetStart();
		expected = Expected();
		log.push_back(-1);
		CheckLevel();
	}

	void Click(GridPosition at)
	{
		const Snapshot before = Take();
		const MoveReport report = rules.ClickNode(at);
		Record(report);
		if(before.outcome != LevelOutcome::PLAYING && (report.moved || !report.events.empty()))
			return Fail("a level that ended took a move");
		if(!report.moved && !(report.events.empty() && Take() == before))
			return Fail("a refused click changed the level");
		Follow(before, report);
		CheckVirus(before, report);
		CheckNodes(before);
		CheckLevel();
	}

	void UseSlot(int slot)
	{
		const Snapshot before = Take();
		const MoveReport report = rules.ActivateSlot(slot);
		Record(report);
		if(report.moved)
			return Fail("using a slot counted as a move");
		if(before.outcome != LevelOutcome::PLAYING && !(report.events.empty() && Take() == before))
			return Fail("a level that ended let a slot be used");
		const int item = ItemInventory::IsSlot(slot) ? before.items[slot] : 0;
		const bool usedUp = item == ITEM_SELF_REPAIR || item == ITEM_POLYMORPHIC_SHIELD;
		if(before.outcome == LevelOutcome::PLAYING && report.Has(MoveEventKind::ITEM_USED) != usedUp)
			return Fail("a slot's item was used up, or kept, against its kind");
		CheckLevel();
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

	void CheckVirus(const Snapshot &before, const MoveReport &report)
	{
		int lost = 0;
		int shielded = 0;
		for(const MoveEvent &event : report.events)
		{
			lost += event.kind == MoveEventKind::COUNTERED ? event.value : 0;
			shielded += event.kind == MoveEventKind::SHIELDED;
		}
		const bool repaired = report.moved && before.virus.selfRepairMoves > 0;
		const Virus &virus = rules.GetVirus();
		if(virus.coherence != before.virus.coherence - lost + (repaired ? Virus::SELF_REPAIR_GAIN : 0))
			return Fail("the virus's coherence changed by more than its blows and repairs");
		if(virus.shieldCharges != before.virus.shieldCharges - shielded)
			return Fail("a shield charge went without a blow taken");
		if(virus.selfRepairMoves != before.virus.selfRepairMoves - (repaired ? 1 : 0))
			return Fail("Self Repair ran for the wrong number of moves");
	}

	// What only a revealed node may do, and what it keeps.
	void CheckNodes(const Snapshot &before)
	{
		for(int c = 0; c < GRID_COLUMNS; ++c)
			for(int r = 0; r < GRID_ROWS; ++r)
			{
				const NetworkNode &was = before.nodes[c][r];
				const NetworkNode &now = rules.At({c, r});
				if(was.GetState() == REVEALED && now.GetState() != REVEALED)
					return Fail("a node left REVEALED");
				if(was.GetType() != now.GetType() && was.GetState() != REVEALED && now.GetState() != REVEALED)
					return Fail("a node changed type unseen");
				if(was.GetType() != EMPTY && now.GetType() == EMPTY)
					return Fail("a node became EMPTY");
			}
	}

	// What holds between any two moves.
	void CheckLevel()
	{
		int suppressors = 0;
		for(int c = 0; c < GRID_COLUMNS; ++c)
			for(int r = 0; r < GRID_ROWS; ++r)
			{
				const NetworkNode &node = rules.At({c, r});
				if(node.GetType() < EMPTY || node.GetType() > DATA_CACHE || node.GetState() < HIDDEN ||
					node.GetState() > REVEALED)
					return Fail("a node's type or state out of range");
				if(node.GetType() == EMPTY && node.GetState() != REVEALED && !(GridPosition{c, r} == start))
					return Fail("an EMPTY node not revealed");
				if(node.GetCoherence() != expected.coherence[c][r] || node.GetStrength() != expected.strength[c][r])
					return Fail("a node's coherence or strength is not what the reports made it");
				if(node.IsTarget() && node.GetCoherence() <= 0)
					return Fail("a fighter stands with no coherence");
				if(node.GetState() == BLOCKED && !BesideRevealedDefence({c, r}))
					return Fail("a node blocked with no revealed Defense Subsystem beside it");
				suppressors += node.GetState() == REVEALED && node.GetType() == VIRUS_SUPPRESSOR;
			}
		const Virus &virus = rules.GetVirus();
		if(virus.strength != Virus::STARTING_STRENGTH - suppressors * Virus::SUPPRESSOR_PENALTY)
			return Fail("the virus's strength does not match the revealed Virus Suppressors");
		if(rules.GetOutcome() == LevelOutcome::PLAYING && virus.IsDestroyed())
			return Fail("the level goes on with the virus destroyed");
		if(virus.shieldCharges < 0 || virus.selfRepairMoves < 0)
			return Fail("a running item below zero");
		const int vectorMoves = rules.GetSecondaryVectorMoves();
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
		const int selected = rules.GetSelectedSlot();
		const int waiting = rules.GetItems().ItemAt(selected);
		if(selected != -1 && waiting != ITEM_KERNEL_ROT && waiting != ITEM_SECONDARY_VECTOR)
			return Fail("a slot waits for a target with no item that takes one");
	}

	bool BesideRevealedDefence(GridPosition at) const
	{
		for(const GridPosition &p : GetGridNeighbours(at.column, at.row))
			if(rules.At(p).GetState() == REVEALED && IsDefenseSubsystem(rules.At(p).GetType()))
				return true;
		return false;
	}

	Snapshot Take() const
	{
		Snapshot snapshot;
		for(int c = 0; c < GRID_COLUMNS; ++c)
			std::memcpy(snapshot.nodes[c], &rules.At({c, 0}), sizeof(snapshot.nodes[c]));
		snapshot.virus = rules.GetVirus();
		for(int i = 0; i < ItemInventory::SLOT_COUNT; ++i)
			snapshot.items[i] = rules.GetItems().ItemAt(i);
		snapshot.selectedSlot = rules.GetSelectedSlot();
		snapshot.secondaryVectorMoves = rules.GetSecondaryVectorMoves();
		snapshot.outcome = rules.GetOutcome();
		return snapshot;
	}

	void Record(const MoveReport &report)
	{
		log.push_back(report.moved);
		for(const MoveEvent &event : report.events)
		{
			log.push_back(static_cast<int>(event.kind));
			log.push_back(event.at.column);
			log.push_back(event.at.row);
			log.push_back(event.value);
		}
	}

	void Fail(const std::string &what)
	{
		if(failure.empty())
			failure = what;
	}

	SeededRandom random;
	LevelRules rules;
	GridPosition start = {0, 0};
	Expected expected;
	std::vector<int> log;
	std::string failure;
};

#endif
