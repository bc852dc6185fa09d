#ifndef VEXARIFT_TESTS_SCENES_BUSIESTLEVEL_H
#define VEXARIFT_TESTS_SCENES_BUSIESTLEVEL_H

#include <string>

class LevelGameState;
class VexaRiftEngine;

// The busiest level screen the game can show, played into being through the
// level's own hooks: every one of the 90 positions a node and every node
// revealed, a pulse wandering from each, their distance hints still afloat,
// three items held with Kernel Rot waiting for a target, and a Firewall's
// description in the panel. The benchmark times it; the golden frames test
// proves its picture never changes.

// One map with no EMPTY position, whose Defense Subsystems stand apart so
// that none ever blocks another: decrypted last, every one of them finds its
// neighbours revealed already.
std::string BusiestLevelData();
// The map's start node is (0, 0); DATA holds only this map, so any seed
// picks it.

// Decrypts the next node with a left click: the first encrypted node in grid
// order that is not a Defense Subsystem, else the first encrypted one that
// is. False when nothing is left to decrypt.
bool DecryptNextNode(VexaRiftEngine &engine, LevelGameState &level);

// From a level just started on BusiestLevelData(): decrypts every node, picks
// up three items from the top row, selects Kernel Rot and hovers a Firewall,
// all between two ticks.
void PlayBusiestLevel(VexaRiftEngine &engine, LevelGameState &level);

#endif
