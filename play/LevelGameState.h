#ifndef VEXARIFT_PLAY_LEVELGAMESTATE_H
#define VEXARIFT_PLAY_LEVELGAMESTATE_H

#include "hud/NetworkPulseObject.h"
#include "leveldata/GridPosition.h"
#include "leveldata/LevelTileManager.h"
#include "play/LevelBackground.h"
#include "play/LevelObserver.h"
#include "rules/LevelRules.h"
#include "rules/NodeState.h"
#include "screens/GameState.h"

#include <functional>
#include <memory>
#include <vector>

class CursorObject;
class IndicatorObject;
class ItemSlots;
class MapRecord;
class MovingVirusObject;
class NodeObject;

// The screen on which a level is played: a map becomes a 10 x 9 grid of
// nodes over the tile lattice, with the virus indicator, the item slots, the
// cursor and six virus markers. The level takes its map from its source
// each time it starts, the first time and at every restart with Enter; in
// the game that source is LevelMaker, which picks a map from DATA.
//
// The rules of a move live in LevelRules, which hold the level's one state;
// this screen is their front end. Input becomes a click on a node or a slot
// and the rules play it. Every node, the links and the panel read what they
// show from the rules; after each rules call the nodes the rules changed are
// told so. What the rules report drives only what passes: numbers float,
// markers fly, a pulse starts on a decrypted node and its hint is printed,
// and the level ends. A move then repaints the indicator, the item slots and
// the links that changed (see LevelBackground).
//
// In the game the rules draw their chances from rand(), as the pulses do,
// so one seed replays a whole level.
//
// The nodes, markers and head-up objects belong to the engine's object
// list; the pointers here are borrowed and die with the level's objects.
class LevelGameState : public GameState {
public:
	// Gives the map of each start; null for none, which makes a level with
	// nothing in it that says so and ends the program after this pass.
	using MapSource = std::function<std::unique_ptr<MapRecord>()>;
	// The random source is borrowed and must outlive the level.
	LevelGameState(VexaRiftEngine *engine, int width, MapSource maps, RandomSource &random);
	// The same map at every start.
	LevelGameState(VexaRiftEngine *engine, int width, const MapRecord &map, RandomSource &random);
	~LevelGameState() override;

	// Every level from now on reports to the observer, which is borrowed;
	// null reports to no one. Levels are made by the screens before them, so
	// the observer is the same for all of them.
	static void SetObserver(LevelObserver *observer);
	static LevelObserver *GetObserver();

	void SetupBackground() override;
	int InitialiseObjects() override;
	void MouseDown(int button, int x, int y) override;
	void MouseMoved(int x, int y) override;
	void KeyDown(int keyCode) override;
	void DrawStrings() override;
	SDL_Rect StringsArea() const override;

	void CreateNodes();
	std::vector<NodeObject *> GetNeighbours(NodeObject *node) const;
	NeighbourFunction MakeNeighbourFunction();
	// A point lies on a node tile when its tile column and row are inside
	// the map and have the same parity.
	bool IsOnNodeTile(int x, int y) const;
	GridPosition NodeAtPoint(int x, int y) const;
	void HoverAt(int x, int y);
	void MoveCursorBy(int dx, int dy);

	// One move on the node at (column, row).
	void ClickNode(int column, int row);
	// Using what a slot holds; never a move.
	void ActivateSlot(int slot);

	// What tests look at.
	const LevelRules &GetRules() const { return rules; }
	NodeObject *NodeAt(int column, int row) const { return nodes[column][row]; }
	int GetVirusCoherence() const { return rules.GetVirus().coherence; }
	int GetVirusStrength() const { return rules.GetVirus().strength; }
	int GetSelectedSlot() const { return rules.GetSelectedSlot(); }
	int GetShieldCharges() const { return rules.GetVirus().shieldCharges; }
	int GetSelfRepairMoves() const { return rules.GetVirus().selfRepairMoves; }
	int GetSecondaryVectorMoves() const { return rules.GetSecondaryVectorMoves(); }
	int GetMoves() const { return moves; }
	// What the panel describes: the node under the cursor as the rules hold
	// it, or what the pointed slot held.
	int GetHoverType() const;
	int GetHoverState() const;
	const std::vector<NetworkPulseObject *> &GetPulses() const { return pulses; }
	ItemSlots *GetItemSlots() const { return itemSlots; }
	IndicatorObject *GetIndicator() const { return indicator; }
	CursorObject *GetCursor() const { return cursor; }
	MovingVirusObject *GetVirusMarker(int index) const { return virusMarkers[index]; }
	const LevelTileManager &GetTileManager() const { return tileManager; }

private:
	// Shows what the rules did, event by event, then the end of a move.
	void Show(const MoveReport &report);
	void TellNodesOfRules();
	void ShowEvent(const MoveEvent &event, NodeObject *&decrypted);
	void ShowDistanceHint(NodeObject *node, int distance);
	void ShowMoveEnd();
	bool HasEnded() const;
	void TellEnd();
	int TileSize() const { return tileManager.GetTileWidth(); }

	MapSource maps;
	// Borrowed.
	RandomSource &random;
	LevelRules rules{random};
	LevelTileManager tileManager;
	LevelBackground background;
	// Borrowed from the engine's object list.
	NodeObject *nodes[GRID_COLUMNS][GRID_ROWS] = {};
	static const int VIRUS_MARKER_COUNT = 6;
	MovingVirusObject *virusMarkers[VIRUS_MARKER_COUNT] = {};
	CursorObject *cursor = nullptr;
	int moves = 0;
	bool endTold = false;
	// The node the panel describes, if it describes one; the panel reads it
	// from the rules, so a move that changes it changes the panel.
	bool hoverOnNode = false;
	GridPosition hoverAt = {0, 0};
	// Off the nodes: the item the pointed slot held when pointed, REVEALED,
	// or nothing, HIDDEN. The panel goes on describing that item until the
	// pointer moves, even once it is used.
	int pointedType = 0;
	int pointedState = HIDDEN;
	IndicatorObject *indicator = nullptr;
	ItemSlots *itemSlots = nullptr;
	// Every pulse of this level, borrowed; each pulse reads the whole list.
	std::vector<NetworkPulseObject *> pulses;
};

#endif
