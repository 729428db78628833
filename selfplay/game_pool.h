// Plays a run's games on several threads and hands them over in game order,
// so that what is written or counted does not depend on the threads.
#pragma once

#include <functional>
#include <vector>

#include "selfplay/run_settings.h"
#include "selfplay/self_play_game.h"

namespace selfplay {

// Called on the calling thread with each game, in the order of `numbers`;
// returns false to stop (games under way are finished and dropped).
using GameDone = std::function<bool(int number, SelfPlayGame& game)>;

// Plays games `numbers` (from 1) of the run on `threads` threads. The
// simulator's entry points must be bound before.
void PlayGames(const RunSettings& settings, const std::vector<int>& numbers, int threads,
               const GameDone& done);

}  // namespace selfplay
