#include "play/NodeObject.h"

#include "engine/BaseEngine.h"
#include "hud/AnimatedTextObject.h"
#include "leveldata/NodeType.h"
#include "rules/LevelRules.h"
#include "rules/NetworkNode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
	// The node covers 60 x 60 pixels around its centre.
	const int NODE_SIZE = 60;
	const int NODE_DRAW_OFFSET = -NODE_SIZE / 2;

	// What a node looks like in one state (and, revealed, for one type).
	struct NodeLook {
		const char *mainPicture;
		const char *overlayPicture;
		int discSize;
	};

	// Behind the fighting types' pictures and behind the connector picture.
	const int LARGE_DISC = 52;
	const int SMALL_DISC = 35;

	const NodeLook HIDDEN_LOOK = {"HiddenNode.png", nullptr, 0};
	const NodeLook ENCRYPTED_LOOK = {"EncryptedNode.png", nullptr, 0};
	const NodeLook BLOCKED_LOOK = {"BlockedNode.png", nullptr, 0};

	// Indexed by type from HACKED on; a revealed EMPTY node has no look.
	const NodeLook REVEALED_LOOKS[] = {{"HackedNode.png", nullptr, SMALL_DISC}, {"Firewall.png", nullptr, LARGE_DISC},
		{"Antivirus.png", nullptr, LARGE_DISC}, {"RestorationNode.png", nullptr, LARGE_DISC},
		{"VirusSuppressor.png", nullptr, LARGE_DISC}, {"SystemCore.png", nullptr, LARGE_DISC},
		{"HackedNode.png", "ItemSelfRepair.png", SMALL_DISC}, {"HackedNode.png", "ItemKernelRot.png", SMALL_DISC},
		{"HackedNode.png", "ItemPolymorphicShield.png", SMALL_DISC},
		{"HackedNode.png", "ItemSecondaryVector.png", SMALL_DISC}, {"HackedNode.png", "DataCache.png", SMALL_DISC}};

	const int REVEALED_LOOK_COUNT = sizeof(REVEALED_LOOKS) / sizeof(REVEALED_LOOKS[0]);

	const NodeLook *LookFor(int type, int state)
	{
		switch(state)
		{
		case HIDDEN:
			return &HIDDEN_LOOK;
		case ENCRYPTED:
			return &ENCRYPTED_LOOK;
		case BLOCKED:
			return &BLOCKED_LOOK;
		case REVEALED:
			if(type >= HACKED && type < HACKED + REVEALED_LOOK_COUNT)
				return &REVEALED_LOOKS[type - HACKED];
			return nullptr;
		default:
			return nullptr;
		}
	}

	// Damage, healing and the values drawn on a node share one face.
	const char *const NUMBER_FONT = "riftsans_regular.otf";
	const int NUMBER_POINT_SIZE = 12;
	const int NUMBER_COLOUR = 0xFFFFFF;
	const int NUMBER_TEXT_SIZE = 16;

	// Damage sinks and healing rises over the same 20 pixels.
	const int DAMAGE_TEXT_OFFSET_X = -6;
	const int DAMAGE_TEXT_OFFSET_Y = -5;
	const int DAMAGE_TEXT_DRIFT = 10;
	const int FLOATING_TEXT_DURATION = 1000;

	const char *const HINT_FONT = "riftsans_bold.otf";
	const int HINT_POINT_SIZE = 16;
	const int HINT_OFFSET_X = -4;
	const int HINT_START_OFFSET_Y = -10;
	const int HINT_END_OFFSET_Y = -15;

	// The level's background colour: the disc darkens the lattice behind the
	// transparent parts of the picture.
	const int DISC_COLOUR = 0x0C110C;
	const int OVERLAY_INSET = 10;
	const uint32_t UNLIKELY_COLOUR = 0x5A0FF1CE;
	const int COHERENCE_X = 24;
	// Three digits need to start further left to stay centred.
	const int WIDE_COHERENCE_X = 21;
	const int WIDE_COHERENCE_FROM = 100;
	const int COHERENCE_Y = -1;
	const int STRENGTH_X = 24;
	const int STRENGTH_Y = 46;
}

NodeObject::NodeObject(BaseEngine *engine, int centreX, int centreY, int column, int row, const NetworkNode &node)
	: DisplayableObject(engine),
	  node(node),
	  toldChanges(node.GetChanges()),
	  column(column),
	  row(row)
{
	x = previousX = centreX;
	y = previousY = centreY;
	drawOffsetX = drawOffsetY = NODE_DRAW_OFFSET;
	width = height = NODE_SIZE;
	visible = true;
	RefreshImages();
}

NodeObject::~NodeObject()
{
	DeleteFloatingText();
}

int NodeObject::GetType() const
{
	return node.GetType();
}

int NodeObject::GetState() const
{
	return node.GetState();
}

int NodeObject::GetCoherence() const
{
	return node.GetCoherence();
}

int NodeObject::GetStrength() const
{
	return node.GetStrength();
}

bool NodeObject::ShowsValues() const
{
	return node.IsTarget();
}

bool NodeObject::IsBehindRules() const
{
	return node.GetChanges() != toldChanges;
}

void NodeObject::RulesChanged()
{
	toldChanges = node.GetChanges();
	LookChanged();
	if(node.GetType() != picturedType || node.GetState() != picturedState)
		RefreshImages();
}

void NodeObject::RefreshImages()
{
	picturedType = node.GetType();
	picturedState = node.GetState();
	discSize = 0;
	hasOverlay = false;
	faceStale = true;
	const NodeLook *look = LookFor(picturedType, picturedState);
	if(!look)
		return;

	// Reduced by 1, as every reduced image, the picture is stored without
	// alpha, whatever the file carried.
	image = engine->pictures.Reduced(look->mainPicture, 1);
	if(look->overlayPicture)
	{
		overlayImage = engine->pictures.Picture(look->overlayPicture);
		hasOverlay = true;
	}
	discSize = look->discSize;
}

void NodeObject::DeleteFloatingText()
{
	delete floatingText;
	floatingText = nullptr;
}

void NodeObject::FloatDamage(int amount)
{
	engine->redrawNeeded = 1;

	char text[NUMBER_TEXT_SIZE];
	snprintf(text, sizeof(text), "%d", abs(amount));
	const int drift = amount >= 0 ? -DAMAGE_TEXT_DRIFT : DAMAGE_TEXT_DRIFT;
	const int textX = x + DAMAGE_TEXT_OFFSET_X;

	// A new number replaces the last one at once, even mid-flight.
	DeleteFloatingText();
	floatingText = new AnimatedTextObject(engine, text, textX, y + drift + DAMAGE_TEXT_OFFSET_Y, textX,
		y - drift + DAMAGE_TEXT_OFFSET_Y, engine->GetFont(NUMBER_FONT, NUMBER_POINT_SIZE), FLOATING_TEXT_DURATION,
		true);
}

void NodeObject::ShowDistanceHint(int distance)
{
	if(distance == 0)
		return;

	char text[NUMBER_TEXT_SIZE];
	snprintf(text, sizeof(text), "%d", std::min(distance, LevelRules::HINT_LIMIT));
	const int textX = x + HINT_OFFSET_X;
	// The earlier text, if any, is left to the object list.
	floatingText = new AnimatedTextObject(engine, text, textX, y + HINT_START_OFFSET_Y, textX, y + HINT_END_OFFSET_Y,
		engine->GetFont(HINT_FONT, HINT_POINT_SIZE), FLOATING_TEXT_DURATION, true);
}

void NodeObject::Draw()
{
	visible = node.GetType() != EMPTY;
	if(!visible)
		return;

	const int left = x + NODE_DRAW_OFFSET;
	const int top = y + NODE_DRAW_OFFSET;
	if(faceStale)
		ComposeFace();
	face.RenderImageWithMask(engine->frameSurface, 0, 0, left + faceX, top + faceY, face.GetWidth(), face.GetHeight());
	if(ShowsValues())
	{
		Font *font = engine->GetFont(NUMBER_FONT, NUMBER_POINT_SIZE);
		char text[NUMBER_TEXT_SIZE];
		const int coherence = node.GetCoherence();
		snprintf(text, sizeof(text), "%d", coherence);
		const int coherenceX = coherence >= WIDE_COHERENCE_FROM ? WIDE_COHERENCE_X : COHERENCE_X;
		engine->DrawText(left + coherenceX, top + COHERENCE_Y, text, NUMBER_COLOUR, font, engine->frameSurface);
		snprintf(text, sizeof(text), "%d", node.GetStrength());
		engine->DrawText(left + STRENGTH_X, top + STRENGTH_Y, text, NUMBER_COLOUR, font, engine->frameSurface);
	}
	RememberPosition();
}

// Paints the disc, the picture and the overlay one over another, with the
// node's top-left corner at the origin, onto a picture as large as all three
// and one row more, prefilled with a colour none of them uses: that colour
// is then the face's transparent colour, in the extra bottom-right corner.
void NodeObject::ComposeFace()
{
	faceStale = false;
	// Taken from the picture actually loaded; an empty one gives a negative
	// inset and so a disc overhanging the node, which is accepted.
	const int inset = (image->GetWidth() - discSize) / 2;
	const int discFirst = std::min(inset, NODE_SIZE - 1 - inset);
	const int discLast = std::max(inset, NODE_SIZE - 1 - inset);
	const int overlayRight = hasOverlay ? OVERLAY_INSET + overlayImage->GetWidth() : 0;
	const int overlayBottom = hasOverlay ? OVERLAY_INSET + overlayImage->GetHeight() : 0;
	faceX = std::min(0, discFirst);
	faceY = faceX;
	const int width = std::max({discLast + 1, image->GetWidth(), overlayRight}) - faceX;
	const int height = std::max({discLast + 1, image->GetHeight(), overlayBottom}) - faceY + 1;

	// Any colour will do; one that artwork is unlikely to hold is tried first.
	uint32_t unused = UNLIKELY_COLOUR;
	while(unused == static_cast<uint32_t>(DISC_COLOUR) || image->Holds(unused) || overlayImage->Holds(unused))
		++unused;

	SDL_Surface *canvas = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
	if(!canvas)
	{
		face = ImageData();
		return;
	}
	SDL_FillRect(canvas, nullptr, unused);
	engine->FillOval(inset - faceX, inset - faceY, NODE_SIZE - 1 - inset - faceX, NODE_SIZE - 1 - inset - faceY,
		DISC_COLOUR, canvas);
	image->RenderImageWithMask(canvas, 0, 0, -faceX, -faceY, image->GetWidth(), image->GetHeight());
	if(hasOverlay)
		overlayImage->RenderImageWithMask(canvas, 0, 0, OVERLAY_INSET - faceX, OVERLAY_INSET - faceY,
			overlayImage->GetWidth(), overlayImage->GetHeight());
	face.CopyPixels(canvas);
	SDL_FreeSurface(canvas);
}
