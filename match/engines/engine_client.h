// The server's side of the protocol with one engine process: commands as
// single writes, replies read to completion against a deadline, and every way
// an engine can fail turned into a fault.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "match/engines/fault.h"
#include "match/platform/process.h"
#include "simulator/curling_api.h"

namespace match::engines {

// How long the output must stay quiet after a reply whose last token may
// still grow (no blank or line end after it) before the reply is taken.
inline constexpr int kReplyQuietMs = 30;

// Pause between two commands to the same engine, so that an engine that
// takes one command per read of its input still sees each of them alone.
inline constexpr int kCommandGapMs = 5;

// Time an engine gets to leave by itself once its input is closed.
inline constexpr int kEndGraceMs = 300;

struct EngineConnection {
  platform::ChildProcess process;
  std::string pending;  // bytes received and not yet part of a reply
  int64_t lastCommandAt = 0;
};

struct ReplyOutcome {
  Fault fault = Fault::kNone;
  std::string text;       // the reply exactly as received, or what came before the fault
  std::string detail;     // what went wrong
  int64_t elapsedMs = 0;  // from the command that asked to the reply's last byte
  ShotVec shot{};         // the shot of a legal BESTSHOT reply
};

bool StartEngine(const std::vector<std::string>& words, const std::string& errorLogPath,
                 EngineConnection& engine, std::string& reason);

// Sends `line` and a line end as one write. Returns the time it was sent,
// or -1 when the engine's input is closed.
int64_t SendCommand(EngineConnection& engine, std::string_view line);

// Waits for "READYOK" until `deadlineMs`.
ReplyOutcome AwaitReady(EngineConnection& engine, int64_t sentAtMs, int64_t deadlineMs);

// Waits for a legal "BESTSHOT vx vy spin" until `deadlineMs`.
ReplyOutcome AwaitShot(EngineConnection& engine, int64_t sentAtMs, int64_t deadlineMs);

// The fault of an engine whose input could not be written.
ReplyOutcome LostEngine(EngineConnection& engine);

// Closes the engine's input, gives it kEndGraceMs, then kills its process
// group and reaps it.
platform::ChildExit StopEngine(EngineConnection& engine);

}  // namespace match::engines
