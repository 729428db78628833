// One game between two engine processes: start them, play the ends with the
// simulator, write the record line by line as the game goes, end both
// engines, and return the game to whatever shows or keeps it.
#pragma once

#include <functional>
#include <string>

#include "match/game/game_result.h"
#include "match/game/game_settings.h"
#include "match/records/record_writer.h"
#include "match/reports/game_page.h"

namespace match {

// Told of each delivery once it is played and recorded.
using DeliveryWatcher = std::function<void(const records::DeliveryFacts& delivery)>;

// Plays the game on the calling thread; what it writes is the record and the
// engines' error logs, nothing else. Faults of the engines decide the game
// (the record says which and why); false only when the record itself could
// not be written, with the reason.
bool RefereeGame(const game::GameSettings& settings, const DeliveryWatcher& watcher,
                 game::PlayedGame& game, std::string& error);

// One game on its own with the files a match leaves of it: RefereeGame with
// a progress line per delivery, then the end pictures and the page beside
// the record (graphing `winChance` when given).
bool PlayGame(const game::GameSettings& settings, game::GameResult& result, std::string& error,
              reports::HammerWinChanceFn winChance = nullptr);

}  // namespace match
