#ifndef VEXARIFT_PLAY_LEVELGAMESTATE_H
#define VEXARIFT_PLAY_LEVELGAMESTATE_H

#include "hud/NetworkPulseObject.h"
#include "leveldata/GridPosition.h"
#include "leveldata/LevelTileManager.h"
#include "play/LevelBackground.h"
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
// Every rule of a move lives here, in the order the game applies it:
// MouseDown (or Space) leads to ClickNode, whose branch resolves the clicked
// node, and every move ends the same way: the selection is cleared, the
// Restoration Nodes heal, running items tick, the indicator is updated and
// the background is repainted with the links in their new colours (only the
// links that changed; see LevelBackground).
//
// The nodes, markers and head-up objects belong to the engine's object
// list; the pointers here are borrowed and die with the level's objects.
class LevelGameState : public GameState {
public:
	LevelGameState(VexaRiftEngine *engine, int width);

	void SetupBackground() override;
	int InitialiseObjects() override;
	void MouseDown(int button, int x, int y) override;
	void MouseMoved(int x, int y) override;
	void KeyDown(int keyCode) override;
	void DrawStrings() override;

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
	void UncoverNeighbours(int column, int row, int fromX, int fromY);
	void BlockNeighbours(NodeObject *node);
	void UpdateBlocking(NodeObject *node);
	void HackNode(NodeObject *node);
	void FinishMove();
	void RunRestoration();

	// Using what the item slots hold.
	void ActivateSlot(int slot);
	void ApplyItem(NodeObject *target);

	// Steps from start to the nearest System Core, item or Data Cache
	// through non-EMPTY nodes. Ends the program when there is none.
	int DistanceToObjective(NodeObject *start);

	// What tests and the scripted player look at.
	NodeObject *NodeAt(int column, int row) const { return nodes[column][row]; }
	int GetVirusCoherence() const { return virusCoherence; }
	int GetVirusStrength() const { return virusStrength; }
	int GetSelectedSlot() const { return selectedSlot; }
	int GetShieldCharges() const { return shieldCharges; }
	int GetSelfRepairMoves() const { return selfRepairMoves; }
	int GetSecondaryVectorMoves() const { return secondaryVectorMoves; }
	int GetHoverType() const { return hoverType; }
	int GetHoverState() const { return hoverState; }
	const std::vector<NetworkPulseObject *> &GetPulses() const { return pulses; }
	ItemSlots *GetItemSlots() const { return itemSlots; }
	IndicatorObject *GetIndicator() const { return indicator; }
	CursorObject *GetCursor() const { return cursor; }
	MovingVirusObject *GetVirusMarker(int index) const { return virusMarkers[index]; }
	const LevelTileManager &GetTileManager() const { return tileManager; }

private:
	void EndMove();
	void Decrypt(NodeObject *node);
	void Attack(NodeObject *node);
	void OpenDataCache(NodeObject *node);
	void LoseLevel();
	void WinLevel();
	bool HasEnded() const;
	bool IsTarget(const NodeObject *node) const;
	int TileSize() const { return tileManager.GetTileWidth(); }

	LevelTileManager tileManager;
	LevelBackground background;
	// Borrowed from the engine's object list.
	NodeObject *nodes[kGridColumns][kGridRows] = {};
	static const int VIRUS_MARKER_COUNT = 6;
	MovingVirusObject *virusMarkers[VIRUS_MARKER_COUNT] = {};
	CursorObject *cursor = nullptr;
	int hoverType = 0;
	int hoverState = 0;
	// The node the panel describes, if it describes one: a move can change
	// it, and the panel must not go on showing what it was.
	NodeObject *hoverNode = nullptr;
	int virusStrength = 0;
	int virusCoherence = 0;
	IndicatorObject *indicator = nullptr;
	ItemSlots *itemSlots = nullptr;
	int selectedSlot = -1;
	int shieldCharges = 0;
	int selfRepairMoves = 0;
	int secondaryVectorMoves = 0;
	int secondaryVectorColumn = 0;
	int secondaryVectorRow = 0;
	// Every pulse of this level, borrowed; each pulse reads the whole list.
	std::vector<NetworkPulseObject *> pulses;
};

#endif
