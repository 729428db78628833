// The engine tests' own player: it records each call instead of searching,
// so that the commands can be checked without the search.
#pragma once

#include <cstdint>

#include "engine/player.h"

class RecordingPlayer final : public engine::Player {
 public:
  // The shot every decision returns.
  static constexpr ShotVec kShot{0.125f, -2.5f, 1, {0, 0, 0}};

  int decisions = 0;
  int newGames = 0;
  GameState lastState{};  // the record the last decision was asked about
  uint64_t lastTimeMs = 0;

  void NewGame() override { ++newGames; }
  ShotVec Decide(const GameState& state, uint64_t timeMs) override {
    ++decisions;
    lastState = state;
    lastTimeMs = timeMs;
    return kShot;
  }
};
