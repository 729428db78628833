#include "selfplay/game_pool.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace selfplay {

void PlayGames(const RunSettings& settings, const std::vector<int>& numbers, int threads,
               const GameDone& done) {
  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable finished;
  std::map<size_t, SelfPlayGame> played;  // by position in `numbers`, until handed over

  const auto work = [&] {
    for (size_t i = next++; i < numbers.size() && !stop; i = next++) {
      const GameSetup setup = SetupOf(settings, numbers[i]);
      const GamePlayers made = MakeGamePlayers(settings, setup.seed);
      engine::Player* const players[2] = {made.players[0].get(), made.players[1].get()};
      SelfPlayGame game = PlaySelfPlayGame(players, setup);
      const std::lock_guard<std::mutex> lock(mutex);
      played.emplace(i, std::move(game));
      finished.notify_all();
    }
  };
  std::vector<std::thread> workers;
  workers.reserve(static_cast<size_t>(threads));
  for (int t = 0; t < threads; ++t) workers.emplace_back(work);

  for (size_t i = 0; i < numbers.size(); ++i) {
    SelfPlayGame game;
    {
      std::unique_lock<std::mutex> lock(mutex);
      finished.wait(lock, [&] { return played.count(i) != 0; });
      game = std::move(played.at(i));
      played.erase(i);
    }
    if (!done(numbers[i], game)) {
      stop = true;
      break;
    }
  }
  for (std::thread& worker : workers) worker.join();
}

}  // namespace selfplay
