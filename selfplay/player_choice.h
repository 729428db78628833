// The players a self-play run can pit against each other, as the command
// line names them:
//
//   greedy | random | tee
//   reference[:time=MS]
//   strong[:samples=N][:time=MS][:eval=table|learned][:foresight]
//   phase@K/FIRST/THEN   FIRST for shot numbers below K, THEN from K on
//
// FIRST is a player without a phase (it ends at the next '/'); THEN may be
// any player, a phase included. Every player is made seeded, so that a game
// is a function of its seed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/player.h"
#include "search/strong/position_judge.h"  // Evaluation

namespace selfplay {

enum class PlayerKind { kGreedy, kRandom, kTee, kReference, kStrong, kPhase };

// Samples of a strong decision when none are named: enough for a fair game,
// few enough for thousands of games, and independent of the machine's load.
inline constexpr uint64_t kSelfPlayStrongSamples = 300;

struct PlayerChoice {
  PlayerKind kind = PlayerKind::kGreedy;
  uint64_t timeMs = 0;   // reference and strong: the time of a decision
  uint64_t samples = 0;  // strong: samples of a decision (0: as many as the time allows)
  // strong: of positions mid-end
  search::strong::Evaluation evaluation = search::strong::kDefaultEvaluation;
  bool foresight = false;  // strong: knows each delivery's execution error (DeliveryForesight)
  int searchFrom = 0;      // strong: the first shot of an end it searches (one-ply before)
  int phaseShot = 0;       // phase: the first shot number THEN plays
  std::shared_ptr<const PlayerChoice> first;
  std::shared_ptr<const PlayerChoice> then;
};

// Reads `text`; on a bad name, key, value or phase, returns false with a
// message that says what is wrong and where.
bool ParsePlayerChoice(const std::string& text, PlayerChoice& choice, std::string& error);

// The choice written out with every default made explicit: two texts that
// name the same player give the same text.
std::string PlayerChoiceText(const PlayerChoice& choice);

// The player, its every random draw seeded from `seed`. Strong players sample
// on the calling thread alone.
std::unique_ptr<engine::Player> MakePlayer(const PlayerChoice& choice, uint64_t seed);

}  // namespace selfplay
