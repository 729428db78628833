// One game between a person and the engine, as the browser's page plays it:
// the runner's game flow for the rules and the line score, its record lines
// for the record, and the deliveries' paths for the animation. The person is
// player 1 of the record, the engine player 2.
#pragma once

#include <cstdint>
#include <string>

#include "match/game/game_flow.h"
#include "match/game/game_result.h"
#include "match/game/game_settings.h"
#include "search/search_settings.h"

namespace web {

inline constexpr int kPersonPlayer = 0;
inline constexpr int kEnginePlayer = 1;

// What a new game is played with: the page's choices.
struct PlaySettings {
  int ends = 8;
  int hammerPlayer = kEnginePlayer;  // who has the hammer in the first end
  float noise = 0.3f;
  uint64_t seed = 0;
  int64_t engineMs = search::kDefaultDecisionMs;  // the engine's time per move
};

// Seconds between the samples of the paths handed to the page.
inline constexpr float kPlayPathStep = 0.05f;

class PlayGame {
 public:
  // Starts a new game, forgetting any other. The settings must be in range
  // (the request layer checks them).
  void Start(const PlaySettings& settings);

  bool Started() const { return started_; }
  bool Over() const { return over_; }
  // The player who delivers next.
  int ToDeliver() const { return match::game::PlayerToDeliver(flow_); }
  // The points of the player to deliver minus the other's.
  int LeadToDeliver() const;

  // Delivers `reply`, a BESTSHOT reply as an engine would send it, for the
  // player to deliver, `timeMs` after it was asked for: executed with the
  // game's noise and seed, recorded, and the end booked when it closes.
  // False, with the problem, for a reply that is not a legal shot or a game
  // that is over; nothing changes then.
  bool Deliver(const std::string& reply, int64_t timeMs, match::game::DeliveryMotion& motion,
               match::game::DeliveryResult& result, std::string& problem);

  const match::game::GameFlow& Flow() const { return flow_; }
  const PlaySettings& Settings() const { return settings_; }
  const match::game::GameResult& Result() const { return result_; }
  // The record so far, in the runner's JSON Lines; its result line once the
  // game is over.
  const std::string& Record() const { return record_; }
  // The record as it is saved: a game still being played ends as one the
  // runner was told to stop ends, "interrupted", so that it replays.
  std::string SavedRecord() const;

 private:
  void AddLine(const std::string& line);

  PlaySettings settings_;
  match::game::GameSettings gameSettings_;
  match::game::GameFlow flow_;
  match::game::GameResult result_;
  std::string record_;
  bool started_ = false;
  bool over_ = false;
};

}  // namespace web
