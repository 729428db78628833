// curling-opponent-tee: an engine that always draws to the tee, spin 0.
#include <memory>

#include "opponents/opponent_options.h"
#include "opponents/tee_player.h"

// It takes --seed as the others do, so that a runner can seed every
// opponent alike; it has nothing random to seed.
int main(int argc, char** argv) {
  return opponents::RunOpponent(
      argc, argv, "curling-opponent-tee", "Always draws to the tee, spin 0.",
      [](const opponents::OpponentSeed&) { return std::make_unique<opponents::TeePlayer>(); });
}
