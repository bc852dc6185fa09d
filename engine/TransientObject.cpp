#include "engine/TransientObject.h"

#include "engine/BaseEngine.h"

#include <cstdio>

TransientObject::TransientObject(BaseEngine *engine) : DisplayableObject(engine)
{
	engine->AddObject(this);
}

TransientObject::~TransientObject()
{
	for(int i = 0; i < engine->ObjectCount(); ++i)
		if(engine->ObjectAt(i) == this)
		{
			engine->RemoveObjectAt(i);
			return;
		}
	fprintf(stderr, "Autoremoving transient object FAILED, object not found\n");
}
