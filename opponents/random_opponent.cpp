// curling-opponent-random: an engine that plays a candidate shot of the
// position picked uniformly at random.
#include <random>
#include <vector>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/player.h"
#include "opponents/opponent_options.h"

namespace {

class RandomPlayer final : public Player {
 public:
  ShotVec Decide(const GameState& state, uint64_t) override {
    if (opponentSeed.given) generator_.seed(static_cast<uint32_t>(DecisionSeed(state)));
    int count = 0;
    {
      // The generator reads the calling thread's record.
      const GameRecordHeld held(state);
      count = GenerateCandidates(candidates_.data());
    }
    std::uniform_int_distribution<int> pick(0, count - 1);
    ShotVec shot{};
    MakeCandidateShot(candidates_[static_cast<size_t>(pick(generator_))], &shot);
    return shot;
  }

 private:
  std::mt19937 generator_{std::random_device{}()};
  std::vector<ShotCandidate> candidates_ = std::vector<ShotCandidate>(kCandidateCapacity);
};

}  // namespace

int main(int argc, char** argv) {
  RandomPlayer player;
  return RunOpponent(argc, argv, "curling-opponent-random",
                     "Plays a candidate shot of the position picked at random.", player);
}
