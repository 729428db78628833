// curling-opponent-greedy: an engine that plays the candidate shot whose end
// would stand best for it right after the shot.
#include <memory>

#include "opponents/greedy_player.h"
#include "opponents/opponent_options.h"

int main(int argc, char** argv) {
  return opponents::RunOpponent(argc, argv, "curling-opponent-greedy",
                                "Plays the candidate shot whose end stands best right after it.",
                                [](const opponents::OpponentSeed& seed) {
                                  return std::make_unique<opponents::GreedyPlayer>(seed);
                                });
}
