// One game between two players in this process, with the game's rules from
// the game flow, returned as data: the line score and every delivery.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/player.h"
#include "match/game/game_flow.h"
#include "match/game/game_settings.h"
#include "simulator/curling_api.h"

namespace selfplay {

struct GameSetup {
  int ends = match::game::kDefaultEnds;                  // regular ends
  int hammerPlayer = match::game::kDefaultHammerPlayer;  // 0 or 1: with the hammer in end 1
  float noise = match::game::kDefaultNoise;              // execution error of every delivery
  double explore = 0.0;  // chance that a delivery is an exploration move
  uint64_t seed = 0;     // the execution error and the exploration draw from it
};

struct PlayedDelivery {
  GameState before{};  // the position as the player saw it
  ShotVec shot{};      // the release asked, before execution error
  bool explored = false;
};

struct SelfPlayGame {
  match::game::LineScore score;
  int winner = -1;  // 0 or 1, -1 for a draw
  std::vector<PlayedDelivery> deliveries;
};

// A player that learns, before each decision the game asks of it, the seed
// of the execution error its delivery will get (DeliverySeed): an upper
// bound for measuring, never a fair player.
class DeliveryForesight {
 public:
  virtual ~DeliveryForesight() = default;
  virtual void ForeseeDelivery(uint64_t deliverySeed) = 0;
};

// The position a player is asked to decide on: what an engine's record holds
// after the referee's POSITION and SETSTATE (no end scores, stones not yet
// delivered at 0, 0).
GameState PlayerView(const match::game::GameFlow& flow);

// Whether the delivery `shot` of `end` is an exploration move in a game on
// `seed`, and the draw that picks its candidate.
struct ExplorationDraw {
  bool explore = false;
  uint64_t pick = 0;
};
ExplorationDraw DrawExploration(uint64_t seed, int end, int shot, double explore);

// Plays the game; players[p] is player p. Each is told a new game begins,
// and a DeliveryForesight player the seed of each delivery it decides.
// Before an end's last two stones, a delivery is an exploration move with
// the setup's chance: a candidate shot of the position picked uniformly.
SelfPlayGame PlaySelfPlayGame(engine::Player* const (&players)[2], const GameSetup& setup);

// The player with the hammer in end `end` of a finished game.
int HammerPlayer(const match::game::LineScore& score, int end);

// Player p's points minus the other's before end `end`.
int LeadBefore(const match::game::LineScore& score, int player, int end);

}  // namespace selfplay
