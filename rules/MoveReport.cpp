#include "rules/MoveReport.h"

const MoveEvent *MoveReport::Find(MoveEventKind kind) const
{
	for(const MoveEvent &event : events)
		if(event.kind == kind)
			return &event;
	return nullptr;
}
