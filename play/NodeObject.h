#ifndef VEXARIFT_PLAY_NODEOBJECT_H
#define VEXARIFT_PLAY_NODEOBJECT_H

#include "engine/DisplayableObject.h"
#include "engine/ImageData.h"

#include <memory>

class AnimatedTextObject;
class NetworkNode;

// One node of the network on the screen: its grid position and pictures.
// What it shows (type, state, coherence and strength) it reads from the
// rules' node each time it draws, so the screen can never hold another
// version of the level than the rules do.
//
// The level tells the node when its rules' node has changed (RulesChanged),
// whatever the change, and the node is drawn again. A change of type or
// state also copies its pictures from the engine's picture cache, which
// decodes each file once per level. A picture that fails to load leaves its
// image empty and the node is drawn anyway.
//
// A node looks the same from frame to frame, so its disc, picture and
// overlay are composed into one masked picture, its face, once for each type
// and state it shows, and each frame copies that; the pixels are those of
// painting the three one over another.
//
// The floating numbers live in the engine's object list like any transient
// object. The node only keeps the last one: it deletes that one when it
// floats damage and when it is destroyed. A distance hint does not delete
// the text before it; that one stays listed until the screen's teardown.
class NodeObject : public DisplayableObject {
public:
	// The rules' node is borrowed: the level's rules outlive their screen's
	// objects.
	NodeObject(BaseEngine *engine, int centreX, int centreY, int column, int row, const NetworkNode &node);
	~NodeObject() override;

	// What the node shows, as the rules hold it now.
	const NetworkNode &GetNode() const { return node; }
	int GetType() const;
	int GetState() const;
	int GetCoherence() const;
	int GetStrength() const;
	int GetColumn() const { return column; }
	int GetRow() const { return row; }

	// Whether the rules' node changed since the level last told this one.
	bool IsBehindRules() const;
	// The one moment the node learns that the rules changed it: new pictures
	// if it shows another type or state, and a redraw.
	void RulesChanged();
	// Floats the amount taken, or given back when negative, over the node.
	void FloatDamage(int amount);
	// 0 shows nothing; anything beyond the hint's limit shows the limit.
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

	// Borrowed from the level's rules.
	const NetworkNode &node;
	// The rules' change count as last told.
	unsigned toldChanges = 0;
	// The type and state the pictures and the face were made for: a drawing
	// cache keyed by what it shows.
	int picturedType = -1;
	int picturedState = -1;
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
