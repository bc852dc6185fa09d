#ifndef VEXARIFT_PLAY_NODEOBJECT_H
#define VEXARIFT_PLAY_NODEOBJECT_H

#include "engine/DisplayableObject.h"
#include "engine/ImageData.h"
#include "rules/NodeState.h"

#include <memory>

class AnimatedTextObject;

// One node of the network: its grid position, type, visibility state and,
// for the Defense Subsystems and the System Core, its coherence and strength.
// Type and state are plain ints (NodeType, NodeState) because the level and
// the item slots pass them around as such.
//
// Every change of type or state copies the node's pictures from the engine's
// picture cache, which decodes each file once per level. A picture that
// fails to load leaves its image empty and the change goes ahead anyway.
//
// A node looks the same from frame to frame, so its disc, picture and
// overlay are composed once per change into one masked picture, its face,
// and each frame copies that; the pixels are those of painting the three
// one over another.
//
// A revealed Defense Subsystem or System Core gets its starting coherence and
// strength each time its pictures are refreshed, so a Data Cache opening into
// one starts fresh. Once hacked it keeps its last coherence.
//
// The floating numbers live in the engine's object list like any transient
// object. The node only keeps the last one: it deletes that one when it
// floats damage and when it is destroyed. A distance hint does not delete
// the text before it; that one stays listed until the screen's teardown.
class NodeObject : public DisplayableObject {
public:
	NodeObject(BaseEngine *engine, int centreX, int centreY, int column, int row);
	~NodeObject() override;

	int GetType() const { return type; }
	int GetState() const { return state; }
	int GetColumn() const { return column; }
	int GetRow() const { return row; }
	int GetCoherence() const { return coherence; }
	int GetStrength() const { return strength; }

	// By type alone, whatever the state.
	bool IsDefenseSubsystem() const;
	bool IsItem() const;
	// What the distance hint counts the way to.
	bool IsObjective() const;

	// An EMPTY node turns REVEALED at once and is never drawn.
	void SetType(int type);
	void SetState(int state);
	// Unbounded both ways: a negative amount heals. True when the coherence
	// is then 0 or less.
	bool TakeDamage(int amount);
	// 0 shows nothing; anything beyond 5 shows 5.
	void ShowDistanceHint(int distance);

	void Draw() override;

	int GetDiscSize() const { return discSize; }
	bool HasOverlay() const { return hasOverlay; }
	const ImageData &GetImage() const { return *image; }
	const ImageData &GetOverlayImage() const { return *overlayImage; }
	// Borrowed: the engine's object list holds it.
	AnimatedTextObject *GetFloatingText() const { return floatingText; }

private:
	void RefreshImages();
	void ComposeFace();
	void DeleteFloatingText();
	bool ShowsValues() const;

	int coherence = 0;
	int strength = 0;
	int type = 0;
	int state = HIDDEN;
	// Shared with the engine's picture cache, never null.
	std::shared_ptr<const ImageData> image = std::make_shared<ImageData>();
	std::shared_ptr<const ImageData> overlayImage = std::make_shared<ImageData>();
	// The disc, the picture and the overlay composed into one picture, and
	// where it stands from the node's top-left corner; made again at the
	// first draw after a change of pictures.
	ImageData face;
	int faceX = 0;
	int faceY = 0;
	bool faceStale = true;
	// The last number floated, or null; see the class comment for who ends it.
	AnimatedTextObject *floatingText = nullptr;
	bool hasOverlay = false;
	int discSize = 0;
	int column;
	int row;
};

#endif
