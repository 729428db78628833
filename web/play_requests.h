// The requests the browser's page makes of the module, as JSON text in and
// out, so that the page and the engine's worker pass plain strings: a new
// game, its state, a shot aimed (its noise-free path), a shot delivered, the
// record and the game page, the sheet, and the engine's decision in a
// position. Every request is checked before anything runs; a bad or
// out-of-range one gets {"error": "..."} and changes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "simulator/curling_api.h"
#include "web/play_game.h"

namespace web {

// The ranges the page may ask for.
inline constexpr int64_t kMinEngineMs = 100;
inline constexpr int64_t kMaxEngineMs = 60000;
inline constexpr float kMaxPlayNoise = 2.0f;
inline constexpr uint64_t kMaxDecisionSamples = 1000000;

enum class PlayOp { kNew, kState, kAim, kDeliver, kRecord, kPage, kSheet, kDecide };

// A shot aimed at a point: a draw that comes to rest there, or a hit on a
// stone there with a weight from 1 (soft) to 15 (a peel); or a shot reply as
// it stands (the engine's pick, shown).
enum class AimKind { kDraw, kHit, kReply };
struct AimRequest {
  AimKind kind = AimKind::kDraw;
  ShotPos target{};
  float weight = 0.0f;
  std::string reply;
};

struct DeliverRequest {
  std::string reply;  // "BESTSHOT vx vy spin", as an engine sends it
  int64_t timeMs = 0;
  int player = kPersonPlayer;  // who the page says delivers it
};

// The engine's decision for the side about to deliver in `position`, `lead`
// points ahead, within `timeMs`, or after `samples` samples when that is not
// 0; seeded when `seedGiven`.
struct DecideRequest {
  GameState position{};
  int lead = 0;
  int64_t timeMs = 0;
  uint64_t samples = 0;
  bool seedGiven = false;
  uint64_t seed = 0;
};

struct PlayRequest {
  PlayOp op = PlayOp::kState;
  PlaySettings settings;  // kNew
  AimRequest aim;         // kAim
  DeliverRequest deliver;
  DecideRequest decide;
};

// Reads and checks one request. False with what is wrong.
bool ReadPlayRequest(std::string_view text, PlayRequest& request, std::string& problem);

// Carries out a checked request on `game`; the reply as JSON text.
std::string AnswerPlayRequest(PlayGame& game, const PlayRequest& request);

// Both: the reply, or {"error": "..."} for a request that cannot be read.
std::string HandlePlayRequest(PlayGame& game, std::string_view text);

}  // namespace web
