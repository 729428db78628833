#include "match/engines/engine_client.h"

#include <algorithm>

#include "match/engines/reply_scan.h"

namespace match::engines {

namespace {

using Scanner = ReplyProgress (*)(std::string_view, size_t&);

ReplyOutcome Ended(EngineConnection& engine, int64_t sentAtMs) {
  ReplyOutcome outcome;
  outcome.elapsedMs = platform::NowMilliseconds() - sentAtMs;
  outcome.text = engine.pending;
  if (platform::InterruptSignal() != 0) {
    outcome.fault = Fault::kInterrupted;
    outcome.detail = "the match was interrupted";
    return outcome;
  }
  outcome.fault = Fault::kCrash;
  const platform::ChildExit exit = platform::PeekChildExit(engine.process, 200);
  outcome.detail = exit.known ? platform::DescribeExit(exit) : "closed its output";
  return outcome;
}

ReplyOutcome Await(EngineConnection& engine, Scanner scan, int64_t sentAtMs, int64_t deadlineMs) {
  std::string& text = engine.pending;
  int64_t lastByteAt = sentAtMs;
  char buffer[256];
  for (;;) {
    size_t length = 0;
    const ReplyProgress progress = scan(text, length);
    if (progress == ReplyProgress::kComplete) {
      ReplyOutcome outcome;
      outcome.text = text.substr(0, length);
      text.erase(0, length);
      outcome.elapsedMs = lastByteAt - sentAtMs;
      return outcome;
    }
    if (progress == ReplyProgress::kIllegal || text.size() > kMaxReplyBytes) {
      ReplyOutcome outcome;
      outcome.fault = Fault::kIllegalReply;
      outcome.text = text;
      outcome.detail = "unparseable reply";
      outcome.elapsedMs = lastByteAt - sentAtMs;
      text.clear();
      return outcome;
    }
    const int64_t waitUntil = progress == ReplyProgress::kCompleteIfQuiet
                                  ? std::min(deadlineMs, lastByteAt + kReplyQuietMs)
                                  : deadlineMs;
    const long got = platform::ReadFromChild(engine.process, buffer, sizeof buffer, waitUntil);
    if (got > 0) {
      text.append(buffer, static_cast<size_t>(got));
      lastByteAt = platform::NowMilliseconds();
      continue;
    }
    if (progress == ReplyProgress::kCompleteIfQuiet) {
      ReplyOutcome outcome;
      outcome.text = text;
      text.clear();
      outcome.elapsedMs = lastByteAt - sentAtMs;
      return outcome;
    }
    if (got == platform::kChildReadTimedOut) {
      ReplyOutcome outcome;
      outcome.fault = Fault::kTime;
      outcome.text = text;
      outcome.elapsedMs = platform::NowMilliseconds() - sentAtMs;
      outcome.detail = "no complete reply after " + std::to_string(outcome.elapsedMs) + " ms";
      return outcome;
    }
    return Ended(engine, sentAtMs);
  }
}

}  // namespace

bool StartEngine(const std::vector<std::string>& words, const std::string& errorLogPath,
                 EngineConnection& engine, std::string& reason) {
  engine = EngineConnection{};
  platform::ChildSetup setup;
  setup.errorPath = errorLogPath;
  return platform::StartChild(words, setup, engine.process, reason);
}

int64_t SendCommand(EngineConnection& engine, std::string_view line) {
  const int64_t gapLeft = engine.lastCommandAt + kCommandGapMs - platform::NowMilliseconds();
  if (engine.lastCommandAt != 0 && gapLeft > 0)
    platform::SleepMilliseconds(static_cast<int>(gapLeft));
  std::string text(line);
  text += '\n';
  if (!platform::WriteToChild(engine.process, text)) return -1;
  engine.lastCommandAt = platform::NowMilliseconds();
  return engine.lastCommandAt;
}

ReplyOutcome AwaitReady(EngineConnection& engine, int64_t sentAtMs, int64_t deadlineMs) {
  return Await(engine, ScanReadyReply, sentAtMs, deadlineMs);
}

ReplyOutcome AwaitShot(EngineConnection& engine, int64_t sentAtMs, int64_t deadlineMs) {
  ReplyOutcome outcome = Await(engine, ScanShotReply, sentAtMs, deadlineMs);
  if (outcome.fault == Fault::kNone &&
      !ParseShotReply(outcome.text, outcome.shot, outcome.detail)) {
    outcome.fault = Fault::kIllegalReply;
  }
  return outcome;
}

ReplyOutcome LostEngine(EngineConnection& engine) {
  return Ended(engine, platform::NowMilliseconds());
}

platform::ChildExit StopEngine(EngineConnection& engine) {
  return platform::EndChild(engine.process, kEndGraceMs);
}

}  // namespace match::engines
