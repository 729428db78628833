#include "match/records/replay.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "match/engines/reply_scan.h"
#include "match/game/game_flow.h"
#include "match/records/record_header.h"
#include "match/records/record_json.h"

namespace match::records {

namespace {

// The executed release as recorded and as executed again. The sine, cosine
// and logarithm of the execution error come from the system's maths library,
// and the browser's (web/) rounds one now and then a unit in the last place
// apart from this one's: the positions still come out the same, and those
// are held to every bit. The turn by the angle error moves each component by
// a few units of the release's speed, not of the component: a component near
// zero is the difference of two larger terms and may differ by far more
// units of its own.
bool SameRelease(double recordedX, double recordedY, double executedX, double executedY) {
  const double speed = std::max(std::hypot(recordedX, recordedY), std::hypot(executedX, executedY));
  const double tolerance = 4 * std::numeric_limits<double>::epsilon() * speed;
  return std::fabs(recordedX - executedX) <= tolerance &&
         std::fabs(recordedY - executedY) <= tolerance;
}

struct Replay {
  game::GameFlow flow;
  float noise = 0.0f;
  bool headerSeen = false;
  bool endPending = false;
  int pendingScoreA = 0;
  int deliveries = 0;
  int ends = 0;
  bool resultSeen = false;
  long line = 0;  // the line being read
  std::string problem;
  ReplayedGame* game = nullptr;
  float pathStep = 0.0f;
};

bool Fail(Replay& replay, const std::string& what) {
  if (replay.problem.empty()) replay.problem = "line " + std::to_string(replay.line) + ": " + what;
  return false;
}

bool Integer(const RecordJson& line, const char* key, int& value) {
  return ReadJsonInteger(JsonMember(line, key), value);
}

// Compares recorded stones with a position, exactly.
bool SameStones(const RecordJson* stones, const GameState& state, std::string& difference) {
  if (stones == nullptr || !stones->is_array() || stones->size() != 16) {
    difference = "stones missing";
    return false;
  }
  for (int i = 0; i < 16; ++i) {
    const RecordJson& pair = (*stones)[static_cast<size_t>(i)];
    float x = 0.0f;
    float y = 0.0f;
    if (!pair.is_array() || pair.size() != 2 || !ReadJsonFloat(&pair[0], x) ||
        !ReadJsonFloat(&pair[1], y)) {
      difference = "stone " + std::to_string(i) + " unreadable";
      return false;
    }
    if (x != state.stones[i].x || y != state.stones[i].y) {
      char text[160];
      std::snprintf(text, sizeof text,
                    "stone %d recorded at (%.9g, %.9g), replayed at (%.9g, %.9g)", i,
                    static_cast<double>(x), static_cast<double>(y),
                    static_cast<double>(state.stones[i].x), static_cast<double>(state.stones[i].y));
      difference = text;
      return false;
    }
  }
  return true;
}

bool Header(Replay& replay, const RecordJson& line) {
  RecordHeader header;
  switch (ReadRecordHeader(line, header)) {
    case HeaderFault::kFormat:
      return Fail(replay, "unknown record format");
    case HeaderFault::kIncomplete:
      return Fail(replay, "header incomplete");
    case HeaderFault::kNone:
      break;
  }
  replay.noise = header.noise;
  game::StartGame(replay.flow, header.ends, header.hammerPlayer, header.seed);
  replay.headerSeen = true;
  if (replay.game != nullptr) {
    replay.game->gameNumber = header.gameNumber;
    replay.game->names[0] = header.names[0];
    replay.game->names[1] = header.names[1];
  }
  return true;
}

bool Delivery(Replay& replay, const RecordJson& line) {
  game::GameFlow& flow = replay.flow;
  int end = 0;
  int shot = 0;
  int player = 0;
  int turnFlag = 0;
  if (!Integer(line, "end", end) || !Integer(line, "shot", shot) ||
      !Integer(line, "player", player) || !Integer(line, "turnFlag", turnFlag)) {
    return Fail(replay, "delivery line incomplete");
  }
  const std::string where = "end " + std::to_string(end) + " shot " + std::to_string(shot) + ": ";
  if (replay.endPending || end != flow.state.currentEnd || shot != flow.state.shotNumber) {
    return Fail(replay, where + "out of order");
  }
  if (player != game::PlayerToDeliver(flow) + 1 || turnFlag != game::TurnFlagToDeliver(flow)) {
    return Fail(replay, where + "delivered by the wrong player");
  }
  std::string difference;
  if (!SameStones(JsonMember(line, "before"), flow.state, difference)) {
    return Fail(replay, where + "position before differs: " + difference);
  }
  std::string reply;
  ShotVec parsed{};
  std::string problem;
  if (!ReadJsonBytes(JsonMember(line, "reply"), reply) ||
      !engines::ParseShotReply(reply, parsed, problem)) {
    return Fail(replay, where + "the recorded reply is not a legal shot");
  }
  const RecordJson* requested = JsonMember(line, "requested");
  float vx = 0.0f;
  float vy = 0.0f;
  int spin = 0;
  if (requested == nullptr || !ReadJsonFloat(JsonMember(*requested, "vx"), vx) ||
      !ReadJsonFloat(JsonMember(*requested, "vy"), vy) || !Integer(*requested, "spin", spin) ||
      vx != parsed.vx || vy != parsed.vy || spin != parsed.spin) {
    return Fail(replay, where + "the requested shot is not what the reply says");
  }
  const GameState before = flow.state;
  game::DeliveryMotion motion;
  const bool withPaths = replay.game != nullptr && replay.pathStep > 0.0f;
  const game::DeliveryResult result = game::SimulateShot(
      flow, parsed, replay.noise, withPaths ? &motion : nullptr, replay.pathStep);
  const RecordJson* executed = JsonMember(line, "executed");
  double ex = 0.0;
  double ey = 0.0;
  if (executed == nullptr || !ReadJsonDouble(JsonMember(*executed, "vx"), ex) ||
      !ReadJsonDouble(JsonMember(*executed, "vy"), ey) ||
      !SameRelease(ex, ey, result.executedVx, result.executedVy)) {
    return Fail(replay, where + "the executed release differs");
  }
  if (!SameStones(JsonMember(line, "after"), result.after, difference)) {
    return Fail(replay, where + "position after differs: " + difference);
  }
  ++replay.deliveries;
  if (replay.game != nullptr) {
    ReplayedDelivery delivery;
    delivery.end = end;
    delivery.shot = shot;
    delivery.side = player - 1 == flow.score.sideAPlayer ? 'A' : 'B';
    delivery.player = player - 1;
    delivery.reply = reply;
    delivery.requested = parsed;
    int timeMs = 0;
    if (Integer(line, "timeMs", timeMs)) delivery.timeMs = timeMs;
    delivery.before = before;
    delivery.result = result;
    delivery.motion = std::move(motion);
    replay.game->deliveries.push_back(std::move(delivery));
  }
  if (result.endClosed) {
    replay.endPending = true;
    replay.pendingScoreA = result.endScoreA;
  }
  return true;
}

bool End(Replay& replay, const RecordJson& line) {
  int end = 0;
  int scoreA = 0;
  if (!Integer(line, "end", end) || !Integer(line, "scoreA", scoreA)) {
    return Fail(replay, "end line incomplete");
  }
  if (!replay.endPending || end != replay.flow.score.endsPlayed) {
    return Fail(replay, "end " + std::to_string(end) + ": out of order");
  }
  if (scoreA != replay.pendingScoreA) {
    return Fail(replay, "end " + std::to_string(end) + ": recorded score " +
                            std::to_string(scoreA) + ", replayed " +
                            std::to_string(replay.pendingScoreA));
  }
  game::FinishEnd(replay.flow, scoreA);
  int nextFirst = 0;
  if (!Integer(line, "nextFirst", nextFirst) || nextFirst != replay.flow.firstInEnd + 1) {
    return Fail(replay, "end " + std::to_string(end) + ": the hammer went to the wrong side");
  }
  replay.endPending = false;
  ++replay.ends;
  return true;
}

bool Result(Replay& replay, const RecordJson& line) {
  const RecordJson* points = JsonMember(line, "points");
  int first = 0;
  int second = 0;
  if (points == nullptr || !points->is_array() || points->size() != 2 ||
      !ReadJsonInteger(&(*points)[0], first) || !ReadJsonInteger(&(*points)[1], second) ||
      first != replay.flow.score.points[0] || second != replay.flow.score.points[1]) {
    return Fail(replay, "the result's points differ from the replayed ends");
  }
  replay.resultSeen = true;
  if (replay.game != nullptr) {
    int winner = 0;
    ReadJsonBytes(JsonMember(line, "outcome"), replay.game->outcome);
    ReadJsonBytes(JsonMember(line, "reason"), replay.game->reason);
    replay.game->winner = Integer(line, "winner", winner) ? winner - 1 : -1;
  }
  return true;
}

}  // namespace

bool ReplayRecord(const std::string& path, std::string& report, ReplayedGame* game,
                  float pathStep) {
  std::error_code error;
  std::ifstream file(path);
  if (!file || std::filesystem::is_directory(path, error)) {
    report = "cannot read " + path + "\n";
    return false;
  }
  Replay replay;
  replay.game = game;
  replay.pathStep = pathStep;
  if (game != nullptr) *game = ReplayedGame{};
  std::string text;
  while (replay.problem.empty() && std::getline(file, text)) {
    ++replay.line;
    if (text.empty()) continue;
    RecordJson line;
    std::string unreadable;
    if (!ParseJsonText(text, line, unreadable)) {
      Fail(replay, unreadable + " (not a line of a game record)");
      break;
    }
    std::string kind;
    ReadJsonBytes(JsonMember(line, "type"), kind);
    if (replay.resultSeen) {
      Fail(replay, "a line after the result");
    } else if (!replay.headerSeen && kind != "header") {
      Fail(replay, "the record does not start with its header");
    } else if (kind == "header") {
      if (replay.headerSeen) Fail(replay, "a second header");
      Header(replay, line);
    } else if (kind == "delivery") {
      Delivery(replay, line);
    } else if (kind == "end") {
      End(replay, line);
    } else if (kind == "result") {
      Result(replay, line);
    } else {
      Fail(replay, "unknown line type");
    }
  }
  if (replay.problem.empty() && (file.bad() || (!file.eof() && file.fail()))) {
    replay.problem = "cannot be read";
  } else if (replay.problem.empty() && replay.line == 0) {
    replay.line = 1;
    Fail(replay, "the file is empty, not a game record");
  }
  if (replay.problem.empty() && !replay.resultSeen) {
    Fail(replay,
         "the record ends here without its result line (cut short, or the game did "
         "not finish)");
  }
  if (game != nullptr) game->score = replay.flow.score;
  if (!replay.problem.empty()) {
    report = path + ": " + replay.problem + "\n";
    return false;
  }
  report = path + ": " + std::to_string(replay.deliveries) + " deliveries and " +
           std::to_string(replay.ends) + " ends replayed; every position agrees\n";
  return true;
}

}  // namespace match::records
