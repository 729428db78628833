// The regret command: for positions of a self-play data file, how much of the
// chance of winning the greedy player's pick and the strong search's pick
// leave behind against the best shot the search considers, by shot number.
// Where the losses lie says where the search's evaluation should improve.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "selfplay/player_choice.h"
#include "selfplay/position_record.h"
#include "simulator/curling_api.h"

namespace selfplay {

struct RegretRun {
  std::string data;  // the self-play data file
  int positions = 160;
  uint64_t seed = 0;
  int executions = 64;                        // noisy executions valuing each candidate
  uint64_t samples = kSelfPlayStrongSamples;  // the strong search's budget
  int threads = 2;                            // positions measured at once
  std::string jsonPath;                       // empty: no JSON
};

// A record as the player to deliver sees it: the position and its lead.
struct RecordPosition {
  GameState state{};
  int lead = 0;  // the side to deliver's points minus the other's, before the end
};

// `record` of a game whose first end's hammer was player 2's when
// `player2HammerFirst`: that says which side is side A.
RecordPosition PositionOf(const PositionRecord& record, bool player2HammerFirst);

// The measured chance of winning of each candidate, and which are the picks.
struct PositionRegret {
  int shot = 0;
  double best = 0.0;          // the best candidate's measured value
  double greedyRegret = 0.0;  // best minus the greedy pick's value
  double strongRegret = 0.0;
};

// Measures one position: the strong search's candidates and both picks, each
// executed `executions` times on the same seeds and valued as the search's
// samples are. Draws only from `seed`.
PositionRegret MeasureRegret(const RecordPosition& position, int executions, uint64_t samples,
                             uint64_t seed);

// The regrets of one player over some positions.
struct RegretFigures {
  double mean = 0.0;
  double low = 0.0;  // the mean's 95 % interval
  double high = 0.0;
  double nearBest = 0.0;  // share of positions with a regret of at most kNearBest
};
inline constexpr double kNearBest = 0.01;

struct RegretRow {
  int shot = -1;  // -1: every shot number
  int positions = 0;
  RegretFigures greedy;
  RegretFigures strong;
};

// A row for each shot number with positions, then one for them all.
std::vector<RegretRow> RegretTable(const std::vector<PositionRegret>& measured);

// Picks the run's positions and measures them; false with a message when the
// file cannot be read or holds no positions.
bool RunRegret(const RegretRun& run, std::vector<PositionRegret>& measured, std::string& error);

std::string FormatRegretText(const std::vector<RegretRow>& rows);
std::string FormatRegretJson(const RegretRun& run, const std::vector<RegretRow>& rows);

}  // namespace selfplay
