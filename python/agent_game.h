// The game behind the Python module's Env: an agent (player 1 of the record)
// against a player of this process (player 2), with the referee's rules from
// the game flow, each delivery's execution error seeded as the runner seeds
// it, and the record written as the runner writes it, so that
// `curling-match --replay` replays it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/player.h"
#include "match/game/game_flow.h"
#include "simulator/curling_api.h"

namespace python {

struct AgentGameSettings {
  int ends = 8;
  float noise = 0.3f;
  int hammerPlayer = 1;  // 0: the agent has the hammer in the first end; 1: the opponent
  std::string opponentName;
};

class AgentGame {
 public:
  // The agent's player number in the game flow and the record (shown as 1).
  static constexpr int kAgent = 0;

  explicit AgentGame(const AgentGameSettings& settings) : settings_(settings) {}

  // A new game on `seed` against `opponent` (told a new game begins, given
  // `decisionMs` a decision); the opponent delivers until it is the agent's turn.
  void Reset(uint64_t seed, engine::Player& opponent, uint64_t decisionMs);

  // The agent's delivery, then the opponent's until it is the agent's turn
  // again or the game is over. False, with what is wrong and nothing played,
  // for a shot the referee would refuse.
  bool Step(const ShotVec& shot, std::string& problem);

  bool Started() const { return opponent_ != nullptr; }
  bool Over() const { return over_; }
  // +1 when the agent won, -1 when it lost, 0 for a draw or a game not over.
  int Result() const;
  // What the agent sees before its delivery: what an engine's record holds
  // after the referee's POSITION and SETSTATE.
  GameState View() const;
  const match::game::GameFlow& Flow() const { return flow_; }
  // The shots the opponent delivered in the last Reset or Step.
  const std::vector<ShotVec>& OpponentShots() const { return opponentShots_; }

  // Writes the record of a finished game; false with the reason.
  bool WriteRecord(const std::string& path, std::string& error) const;

 private:
  // Delivers `shot` for the player to deliver, recording it.
  void Deliver(const ShotVec& shot, const std::string& reply, int64_t timeMs);
  void OpponentPlays();

  AgentGameSettings settings_;
  engine::Player* opponent_ = nullptr;
  uint64_t decisionMs_ = 0;
  uint64_t seed_ = 0;
  match::game::GameFlow flow_;
  bool over_ = false;
  bool drawn_ = false;
  std::vector<std::string> lines_;  // the record's header, deliveries and ends so far
  std::vector<ShotVec> opponentShots_;
};

// The reply an engine would send for `shot`: each component in the fewest
// digits that read back as the same float.
std::string ShotReplyText(const ShotVec& shot);

}  // namespace python
