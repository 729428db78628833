// What becomes of a finished game: the outputs it is handed to, in turn, on
// the thread that played it, once its record is complete.
#pragma once

#include <functional>
#include <vector>

#include "match/game/game_result.h"
#include "match/reports/game_page.h"

namespace match {

// An output of finished games. It may add to the game what it made (the
// pictures' paths) for the outputs after it. A file it cannot write is a
// warning on standard error; the game and its record stand.
using GameOutput = std::function<void(game::PlayedGame& game)>;

// Each end's picture beside the record; the result lists those written.
void WriteEndPictures(game::PlayedGame& game);

// The game's page beside the record, made from the finished record, as
// curling-analyze view makes it, with the graph of `winChance` when given.
void WritePageBesideRecord(game::PlayedGame& game, reports::HammerWinChanceFn winChance);

// The files every played game leaves beside its record: the end pictures,
// then the page.
std::vector<GameOutput> GameFileOutputs(reports::HammerWinChanceFn winChance = nullptr);

void HandToOutputs(game::PlayedGame& game, const std::vector<GameOutput>& outputs);

}  // namespace match
