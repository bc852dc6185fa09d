#ifndef VEXARIFT_ENGINE_TRANSIENTOBJECT_H
#define VEXARIFT_ENGINE_TRANSIENTOBJECT_H

#include "engine/DisplayableObject.h"

// A displayable object that lists itself in the engine's object list when
// built and unlists itself when deleted, so short-lived effects can be
// deleted at any moment without leaving a dangling entry. It is listed
// before the derived class finishes building it.
class TransientObject : public DisplayableObject {
public:
	explicit TransientObject(BaseEngine *engine);
	~TransientObject() override;
};

#endif
