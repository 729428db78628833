#include "match/records/replay.h"

#include <cstdlib>
#include <fstream>

#include "match/engines/reply_scan.h"
#include "match/game/game_flow.h"
#include "match/records/game_record.h"
#include "match/records/json_value.h"

namespace {

struct Replay {
  GameFlow flow;
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

bool Integer(const JsonValue& line, const char* key, int& value) {
  const JsonValue* member = line.Find(key);
  if (member == nullptr || member->kind != JsonValue::Kind::kNumber) return false;
  value = static_cast<int>(member->number);
  return static_cast<double>(value) == member->number;
}

bool Number(const JsonValue* member, double& value) {
  if (member == nullptr || member->kind != JsonValue::Kind::kNumber) return false;
  value = member->number;
  return true;
}

// Compares recorded stones with a position, exactly.
bool SameStones(const JsonValue* stones, const GameState& state, std::string& difference) {
  if (stones == nullptr || stones->kind != JsonValue::Kind::kArray || stones->items.size() != 16) {
    difference = "stones missing";
    return false;
  }
  for (int i = 0; i < 16; ++i) {
    const JsonValue& pair = stones->items[static_cast<size_t>(i)];
    double x = 0.0;
    double y = 0.0;
    if (pair.items.size() != 2 || !Number(&pair.items[0], x) || !Number(&pair.items[1], y)) {
      difference = "stone " + std::to_string(i) + " unreadable";
      return false;
    }
    if (static_cast<float>(x) != state.stones[i].x || static_cast<float>(y) != state.stones[i].y) {
      char text[160];
      std::snprintf(text, sizeof text,
                    "stone %d recorded at (%.9g, %.9g), replayed at (%.9g, %.9g)", i, x, y,
                    static_cast<double>(state.stones[i].x), static_cast<double>(state.stones[i].y));
      difference = text;
      return false;
    }
  }
  return true;
}

bool Header(Replay& replay, const JsonValue& line) {
  int format = 0;
  int ends = 0;
  int hammer = 0;
  double noise = 0.0;
  const JsonValue* seed = line.Find("seed");
  if (!Integer(line, "format", format) || format != kRecordFormat) {
    return Fail(replay, "unknown record format");
  }
  if (!Integer(line, "ends", ends) || !Integer(line, "hammer", hammer) ||
      !Number(line.Find("noise"), noise) || seed == nullptr ||
      seed->kind != JsonValue::Kind::kNumber || ends < 1 || ends > kMaxEnds || hammer < 1 ||
      hammer > 2) {
    return Fail(replay, "header incomplete");
  }
  replay.noise = static_cast<float>(noise);
  StartGame(replay.flow, ends, hammer - 1, std::strtoull(seed->text.c_str(), nullptr, 10));
  replay.headerSeen = true;
  if (replay.game != nullptr) {
    Integer(line, "game", replay.game->gameNumber);
    const JsonValue* players = line.Find("players");
    for (size_t p = 0; players != nullptr && p < players->items.size() && p < 2; ++p) {
      const JsonValue* name = players->items[p].Find("name");
      if (name != nullptr) replay.game->names[p] = name->text;
    }
  }
  return true;
}

bool Delivery(Replay& replay, const JsonValue& line) {
  GameFlow& flow = replay.flow;
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
  if (player != PlayerToDeliver(flow) + 1 || turnFlag != TurnFlagToDeliver(flow)) {
    return Fail(replay, where + "delivered by the wrong player");
  }
  std::string difference;
  if (!SameStones(line.Find("before"), flow.state, difference)) {
    return Fail(replay, where + "position before differs: " + difference);
  }
  const JsonValue* reply = line.Find("reply");
  ShotVec parsed{};
  std::string problem;
  if (reply == nullptr || !ParseShotReply(reply->text, parsed, problem)) {
    return Fail(replay, where + "the recorded reply is not a legal shot");
  }
  const JsonValue* requested = line.Find("requested");
  double vx = 0.0;
  double vy = 0.0;
  int spin = 0;
  if (requested == nullptr || !Number(requested->Find("vx"), vx) ||
      !Number(requested->Find("vy"), vy) || !Integer(*requested, "spin", spin) ||
      static_cast<float>(vx) != parsed.vx || static_cast<float>(vy) != parsed.vy ||
      spin != parsed.spin) {
    return Fail(replay, where + "the requested shot is not what the reply says");
  }
  const GameState before = flow.state;
  DeliveryMotion motion;
  const bool withPaths = replay.game != nullptr && replay.pathStep > 0.0f;
  const DeliveryResult result =
      SimulateShot(flow, parsed, replay.noise, withPaths ? &motion : nullptr, replay.pathStep);
  const JsonValue* executed = line.Find("executed");
  double ex = 0.0;
  double ey = 0.0;
  if (executed == nullptr || !Number(executed->Find("vx"), ex) ||
      !Number(executed->Find("vy"), ey) || ex != result.executedVx || ey != result.executedVy) {
    return Fail(replay, where + "the executed release differs");
  }
  if (!SameStones(line.Find("after"), result.after, difference)) {
    return Fail(replay, where + "position after differs: " + difference);
  }
  ++replay.deliveries;
  if (replay.game != nullptr) {
    ReplayedDelivery delivery;
    delivery.end = end;
    delivery.shot = shot;
    delivery.side = player - 1 == flow.score.sideAPlayer ? 'A' : 'B';
    delivery.player = player - 1;
    delivery.reply = reply->text;
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

bool End(Replay& replay, const JsonValue& line) {
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
  FinishEnd(replay.flow, scoreA);
  int nextFirst = 0;
  if (!Integer(line, "nextFirst", nextFirst) || nextFirst != replay.flow.firstInEnd + 1) {
    return Fail(replay, "end " + std::to_string(end) + ": the hammer went to the wrong side");
  }
  replay.endPending = false;
  ++replay.ends;
  return true;
}

bool Result(Replay& replay, const JsonValue& line) {
  const JsonValue* points = line.Find("points");
  double first = 0.0;
  double second = 0.0;
  if (points == nullptr || points->items.size() != 2 || !Number(&points->items[0], first) ||
      !Number(&points->items[1], second) || first != replay.flow.score.points[0] ||
      second != replay.flow.score.points[1]) {
    return Fail(replay, "the result's points differ from the replayed ends");
  }
  replay.resultSeen = true;
  if (replay.game != nullptr) {
    const JsonValue* outcome = line.Find("outcome");
    const JsonValue* reason = line.Find("reason");
    int winner = 0;
    replay.game->outcome = outcome != nullptr ? outcome->text : "";
    replay.game->reason = reason != nullptr ? reason->text : "";
    replay.game->winner = Integer(line, "winner", winner) ? winner - 1 : -1;
  }
  return true;
}

}  // namespace

bool ReplayRecord(const std::string& path, std::string& report, ReplayedGame* game,
                  float pathStep) {
  std::ifstream file(path);
  if (!file) {
    report = "cannot read " + path;
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
    JsonValue line;
    std::string error;
    if (!ParseJson(text, line, error)) {
      Fail(replay, error + " (not a line of a game record)");
      break;
    }
    const JsonValue* type = line.Find("type");
    const std::string kind = type != nullptr ? type->text : "";
    if (!replay.headerSeen && kind != "header") {
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
  if (replay.problem.empty() && replay.line == 0) {
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
