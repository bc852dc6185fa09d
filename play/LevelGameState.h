#ifndef VEXARIFT_PLAY_LEVELGAMESTATE_H
#define VEXARIFT_PLAY_LEVELGAMESTATE_H

#include "hud/NetworkPulseObject.h"
#include "leveldata/GridPosition.h"
#include "leveldata/LevelTileManager.h"
#include "play/LevelBackground.h"
#include "play/LevelObserver.h"
#include "rules/LevelRules.h"
#include "rules/LibraryRandom.h"
#include "screens/GameState.h"

#include <vector>

class CursorObject;
class IndicatorObject;
class ItemSlots;
class MovingVirusObject;
class NodeObject;

// The screen on which a level is played: a random map from DATA becomes a
// 10 x 9 grid of nodes over the tile lattice, with the virus indicator, the
// item slots, the cursor and six virus markers.
//
// The rules of a move live in LevelRules; this screen is their front end.
// Input becomes a click on a node or a slot, the rules report what the move
// did, and the screen shows it in the same order: nodes change pictures,
// numbers float, markers fly, a pulse starts on a decrypted node and its
// hint is printed. A move then repaints the indicator, the item slots and
// the links that changed (see LevelBackground).
//
// The rules draw their chances from rand(), as the pulses do, so one seed
// replays a whole level.
//
// The nodes, markers and head-up objects belong to the engine's object
// list; the pointers here are borrowed and die with the level's objects.
class LevelGameState : public GameState {
public:
	LevelGameState(VexaRiftEngine *engine, int width);

	// Every level from now on reports to the observer, which is borrowed;
	// null reports to no one. Levels are made by the screens before them, so
	// the observer is the same for all of them.
	static void SetObserver(LevelObserver *observer);

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
	int GetHoverType() const { return hoverType; }
	int GetHoverState() const { return hoverState; }
	const std::vector<NetworkPulseObject *> &GetPulses() const { return pulses; }
	ItemSlots *GetItemSlots() const { return itemSlots; }
	IndicatorObject *GetIndicator() const { return indicator; }
	CursorObject *GetCursor() const { return cursor; }
	MovingVirusObject *GetVirusMarker(int index) const { return virusMarkers[index]; }
	const LevelTileManager &GetTileManager() const { return tileManager; }

private:
	// Shows what the rules did, event by event, then the end of a move.
	void Show(const MoveReport &report);
	void ShowEvent(const MoveEvent &event, NodeObject *&decrypted);
	void ShowDistanceHint(NodeObject *node, int distance);
	void ShowMoveEnd();
	bool HasEnded() const;
	void TellEnd();
	int TileSize() const { return tileManager.GetTileWidth(); }

	LibraryRandom random;
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
	int hoverType = 0;
	int hoverState = 0;
	// The node the panel describes, if it describes one: a move can change
	// it, and the panel must not go on showing what it was.
	NodeObject *hoverNode = nullptr;
	IndicatorObject *indicator = nullptr;
	ItemSlots *itemSlots = nullptr;
	// Every pulse of this level, borrowed; each pulse reads the whole list.
	std::vector<NetworkPulseObject *> pulses;
};

#endif
