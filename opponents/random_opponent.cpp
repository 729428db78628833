// curling-opponent-random: an engine that plays a candidate shot of the
// position picked uniformly at random.
#include <memory>

#include "opponents/opponent_options.h"
#include "opponents/random_player.h"

int main(int argc, char** argv) {
  return opponents::RunOpponent(argc, argv, "curling-opponent-random",
                                "Plays a candidate shot of the position picked at random.",
                                [](const opponents::OpponentSeed& seed) {
                                  return std::make_unique<opponents::RandomPlayer>(seed);
                                });
}
