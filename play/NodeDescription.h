#ifndef VEXARIFT_PLAY_NODEDESCRIPTION_H
#define VEXARIFT_PLAY_NODEDESCRIPTION_H

// The four lines the description panel shows for the node or item under the
// mouse. The body lines are broken by hand and drawn unchanged, one under the
// other, so a sentence may run on from one line to the next.
struct NodeDescription {
	char title[255];
	char line1[255];
	char line2[255];
	char line3[255];
};

// Fills every line. The type of a node that is not revealed is never told;
// a hidden node, an empty position and any pair the game does not use get
// four empty lines.
void DescribeNode(int type, int state, NodeDescription &description);

#endif
