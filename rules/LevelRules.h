#ifndef VEXARIFT_RULES_LEVELRULES_H
#define VEXARIFT_RULES_LEVELRULES_H

#include "leveldata/GridPosition.h"
#include "rules/ItemInventory.h"
#include "rules/MoveReport.h"
#include "rules/NetworkNode.h"
#include "rules/Virus.h"

#include <array>

class MapRecord;
class RandomSource;

enum class LevelOutcome {
	PLAYING,
	WON,
	LOST
};

// Every rule of a level, as plain changes to its state: the grid of nodes,
// the virus, the item slots and the items left running. Nothing here draws,
// loads or prints, so the game shows these rules and the players and the
// map generator play them, all the same rules.
//
// A move is a click on a node. Exactly one branch applies, chosen by the
// node's state and then its type (decrypt, wait out a block, attack or use
// the chosen item on a target, open a Data Cache, take an item), and every
// move ends the same way: the chosen slot is let go, each revealed
// Restoration Node heals a random target, Self Repair and Secondary Vector
// take their turn. Using a slot is not a move. Once a move has won or lost,
// the level takes no more.
class LevelRules {
public:
	// The source is borrowed and must outlive the rules.
	explicit LevelRules(RandomSource &random);

	// A fresh level: the nodes as the map has them, all hidden but the EMPTY
	// ones, the start encrypted, the virus at its starting values.
	void Start(const MapRecord &map);
	// A network with nothing in it and nothing to click, for a level that
	// found no map.
	void StartEmpty();

	MoveReport ClickNode(GridPosition position);
	MoveReport ActivateSlot(int slot);

	// Steps from start to the nearest System Core, item or Data Cache
	// through non-EMPTY nodes, whatever their state; -1 when there is none.
	int DistanceToObjective(GridPosition start) const;
	// Steps from start to every position through the positions isNode
	// accepts, as the hint counts them; -1 where none reaches. A player
	// counts over the nodes it knows of.
	using Steps = std::array<std::array<int, GRID_ROWS>, GRID_COLUMNS>;
	template<typename IsNode> static Steps StepsFrom(GridPosition start, IsNode isNode)
	{
		Steps steps;
		Spread(start, isNode, steps, [](GridPosition, int) { return false; });
		return steps;
	}
	// The most the hint shows of that distance: it means so far or further.
	static constexpr int HINT_LIMIT = 5;

	const NetworkNode &At(GridPosition position) const { return nodes[position.column][position.row]; }
	const Virus &GetVirus() const { return virus; }
	const ItemInventory &GetItems() const { return items; }
	// The slot whose item waits for a target, or -1.
	int GetSelectedSlot() const { return selectedSlot; }
	int GetSecondaryVectorMoves() const { return secondaryVectorMoves; }
	GridPosition GetSecondaryVectorTarget() const { return secondaryVectorTarget; }
	LevelOutcome GetOutcome() const { return outcome; }
	bool HasEnded() const { return outcome != LevelOutcome::PLAYING; }

	// What Kernel Rot takes from a target of that coherence: half, rounded
	// down.
	static int KernelRotDamage(int coherence) { return coherence / 2; }

	static constexpr int SECONDARY_VECTOR_DAMAGE = 20;
	static constexpr int SECONDARY_VECTOR_MOVES = 3;
	static constexpr int RESTORATION_HEAL = 10;

private:
	void Reset(const MapRecord &map);
	NetworkNode &Node(GridPosition position) { return nodes[position.column][position.row]; }
	void Decrypt(GridPosition position, MoveReport &report);
	void Attack(GridPosition position, MoveReport &report);
	void ApplyItem(GridPosition target, MoveReport &report);
	void OpenDataCache(GridPosition position, MoveReport &report);
	void EndMove(MoveReport &report);
	void RunRestoration(MoveReport &report);
	void RunSecondaryVector(MoveReport &report);
	void UncoverNeighbours(GridPosition position, MoveReport &report);
	void BlockNeighbours(GridPosition position, MoveReport &report);
	void UpdateBlocking(GridPosition position, MoveReport &report);
	void HackNode(GridPosition position, MoveReport &report);
	void End(LevelOutcome ending, GridPosition at, MoveReport &report);
	int DataCacheContent();

	// Every step costs the same, so a breadth-first search finds the
	// shortest ways: each position reached is met in order of its steps,
	// until met returns true.
	template<typename IsNode, typename Met> static void Spread(GridPosition start, IsNode isNode, Steps &steps, Met met)
	{
		for(auto &column : steps)
			column.fill(-1);
		GridPosition open[GRID_COLUMNS * GRID_ROWS];
		int opened = 0;
		open[opened++] = start;
		steps[start.column][start.row] = 0;
		for(int next = 0; next < opened; ++next)
		{
			const GridPosition here = open[next];
			if(met(here, steps[here.column][here.row]))
				return;
			for(const GridPosition &p : NeighboursOf(here))
			{
				if(steps[p.column][p.row] >= 0 || !isNode(p))
					continue;
				steps[p.column][p.row] = steps[here.column][here.row] + 1;
				open[opened++] = p;
			}
		}
	}

	// Borrowed.
	RandomSource &random;
	NetworkNode nodes[GRID_COLUMNS][GRID_ROWS];
	Virus virus;
	ItemInventory items;
	int selectedSlot = -1;
	int secondaryVectorMoves = 0;
	GridPosition secondaryVectorTarget = {0, 0};
	LevelOutcome outcome = LevelOutcome::PLAYING;
};

#endif
