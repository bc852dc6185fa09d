#ifndef VEXARIFT_RULES_NODESTATE_H
#define VEXARIFT_RULES_NODESTATE_H

// How much of a node the player sees. Nodes store it as a plain int, so the
// numbering is fixed; nothing ever leaves REVEALED.
enum NodeState {
	HIDDEN = 0,
	ENCRYPTED = 1,
	BLOCKED = 2,
	REVEALED = 3
};

#endif
