#include "tools/player/RulesGame.h"

#include "tools/player/ScriptedPlayer.h"

RulesGame::RulesGame(const MapRecord &map, unsigned seed, Sight sight) : random(seed), sight(sight)
{
	rules.Start(map);
}

LevelView RulesGame::Look() const
{
	return LookAt(rules, sight, lastMove);
}

void RulesGame::ClickNode(GridPosition position)
{
	lastMove = rules.ClickNode(position);
}

// Using a slot is no move: the hints of the last move stay on show.
void RulesGame::ClickSlot(int slot)
{
	rules.ActivateSlot(slot);
}

GameResult PlayOnRules(const MapRecord &map, unsigned seed, int moveLimit, Sight sight, FILE *trace)
{
	if(trace)
		fprintf(trace, "game under seed %u\n", seed);
	RulesGame game(map, seed, sight);
	ScriptedPlayer player(game, seed);
	player.SetTrace(trace);
	return player.Play(moveLimit);
}
