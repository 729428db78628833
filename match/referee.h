// One game between two engine processes: start them, play the ends with the
// simulator, write the record and the pictures, end both engines.
#pragma once

#include <string>

#include "match/game/game_result.h"
#include "match/game/game_settings.h"

// Plays the game on the calling thread. Faults of the engines decide the game
// (the record says which and why); false only when the record itself could
// not be written, with the reason.
bool PlayGame(const GameSettings& settings, GameResult& result, std::string& error);

// "game-001.jsonl".
std::string RecordName(int gameNumber);
