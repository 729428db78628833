// curling-opponent-tee: an engine that always draws to the tee, spin 0. The
// plainest legal play, for testing and as a floor of strength.
#include "engine/library_binding.h"
#include "engine/player.h"
#include "opponents/opponent_options.h"

namespace {

class TeePlayer final : public Player {
 public:
  ShotVec Decide(const GameState&, uint64_t) override {
    ShotVec shot{};
    createShot(TeeTarget(0), &shot);
    return shot;
  }
};

}  // namespace

// It takes --seed as the others do, so that a runner can seed every
// opponent alike; it has nothing random to seed.
int main(int argc, char** argv) {
  TeePlayer player;
  return RunOpponent(argc, argv, "curling-opponent-tee", "Always draws to the tee, spin 0.",
                     player);
}
