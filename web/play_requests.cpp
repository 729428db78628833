#include "web/play_requests.h"

#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "engine/linked_simulator.h"
#include "match/engines/number_text.h"
#include "match/engines/reply_scan.h"
#include "match/records/record_json.h"
#include "match/records/replay.h"
#include "match/records/text_file.h"
#include "match/reports/game_page.h"
#include "search/strong/position_evaluation.h"
#include "search/strong/strong_search.h"
#include "search/strong/strong_settings.h"
#include "simulator/sheet.h"

namespace {

// Where a shot may be aimed: between the side lines, from the end of the ice
// behind the house (y = 0) to the hog line.
constexpr float kMaxAimY = static_cast<float>(kFarHogY);

RecordJson Error(const std::string& problem) {
  return RecordJson{{"error", problem}};
}

const char* PlayerWord(int player) {
  return player == kPersonPlayer ? "person" : "engine";
}

bool ReadPlayer(const RecordJson* value, int& player) {
  std::string word;
  if (!ReadJsonBytes(value, word)) return false;
  if (word == "person" || word == "engine") {
    player = word == "person" ? kPersonPlayer : kEnginePlayer;
    return true;
  }
  return false;
}

bool ReadRangedInteger(const RecordJson& object, const char* key, int low, int high, int& out,
                       std::string& problem) {
  if (!ReadJsonInteger(JsonMember(object, key), out) || out < low || out > high) {
    problem = std::string(key) + " must be a whole number from " + std::to_string(low) + " to " +
              std::to_string(high);
    return false;
  }
  return true;
}

bool ReadRangedFloat(const RecordJson& object, const char* key, float low, float high, float& out,
                     std::string& problem) {
  if (!ReadJsonFloat(JsonMember(object, key), out) || !std::isfinite(out) || out < low ||
      out > high) {
    problem = std::string(key) + " must be a number from " + ShortestFloat(low) + " to " +
              ShortestFloat(high);
    return false;
  }
  return true;
}

// A time or a count that may be missing (left as it is) but not wrong.
bool ReadOptionalMs(const RecordJson& object, const char* key, int64_t low, int64_t high,
                    int64_t& out, std::string& problem) {
  const RecordJson* value = JsonMember(object, key);
  if (value == nullptr) return true;
  double ms = 0.0;
  if (!ReadJsonDouble(value, ms) || !(ms >= static_cast<double>(low)) ||
      !(ms <= static_cast<double>(high)) || ms != std::floor(ms)) {
    problem = std::string(key) + " must be a whole number from " + std::to_string(low) + " to " +
              std::to_string(high);
    return false;
  }
  out = static_cast<int64_t>(ms);
  return true;
}

bool ReadSettings(const RecordJson& request, PlaySettings& settings, std::string& problem) {
  settings = PlaySettings{};
  if (!ReadRangedInteger(request, "ends", 1, kMaxEnds, settings.ends, problem)) return false;
  if (!ReadPlayer(JsonMember(request, "hammer"), settings.hammerPlayer)) {
    problem = "hammer must be \"person\" or \"engine\"";
    return false;
  }
  if (JsonMember(request, "noise") != nullptr &&
      !ReadRangedFloat(request, "noise", 0.0f, kMaxPlayNoise, settings.noise, problem)) {
    return false;
  }
  const RecordJson* seed = JsonMember(request, "seed");
  if (seed != nullptr && !ReadJsonUnsigned64(seed, settings.seed)) {
    problem = "seed must be a whole number from 0 to 2^64 - 1";
    return false;
  }
  return ReadOptionalMs(request, "engineMs", kMinEngineMs, kMaxEngineMs, settings.engineMs,
                        problem);
}

bool ReadReply(const RecordJson& request, std::string& reply, std::string& problem) {
  if (!ReadJsonBytes(JsonMember(request, "reply"), reply) || reply.size() > kMaxReplyBytes) {
    problem = "reply must be a shot reply, \"BESTSHOT vx vy spin\"";
    return false;
  }
  return true;
}

bool ReadAim(const RecordJson& request, AimRequest& aim, std::string& problem) {
  aim = AimRequest{};
  std::string kind;
  ReadJsonBytes(JsonMember(request, "kind"), kind);
  if (kind == "reply") {
    aim.kind = AimKind::kReply;
    return ReadReply(request, aim.reply, problem);
  }
  if (kind != "draw" && kind != "hit") {
    problem = "kind must be \"draw\", \"hit\" or \"reply\"";
    return false;
  }
  aim.kind = kind == "hit" ? AimKind::kHit : AimKind::kDraw;
  int spin = 0;
  if (!ReadRangedFloat(request, "x", static_cast<float>(kSideLineLeft),
                       static_cast<float>(kSideLineRight), aim.target.x, problem) ||
      !ReadRangedFloat(request, "y", 0.0f, kMaxAimY, aim.target.y, problem) ||
      !ReadRangedInteger(request, "spin", 0, 1, spin, problem)) {
    return false;
  }
  aim.target.spin = static_cast<uint8_t>(spin);
  return aim.kind != AimKind::kHit ||
         ReadRangedFloat(request, "weight", 1.0f, 15.0f, aim.weight, problem);
}

bool ReadDeliver(const RecordJson& request, DeliverRequest& deliver, std::string& problem) {
  deliver = DeliverRequest{};
  if (!ReadReply(request, deliver.reply, problem)) return false;
  if (!ReadPlayer(JsonMember(request, "by"), deliver.player)) {
    problem = "by must be \"person\" or \"engine\"";
    return false;
  }
  return ReadOptionalMs(request, "ms", 0, kMaxEngineMs * 1000, deliver.timeMs, problem);
}

bool ReadPosition(const RecordJson* value, GameState& position, std::string& problem) {
  position = GameState{};
  problem = "position must have stones (16 pairs of numbers), shot, end, lastEnd and turnFlag";
  if (value == nullptr || !value->is_object()) return false;
  const RecordJson* stones = JsonMember(*value, "stones");
  if (stones == nullptr || !stones->is_array() || stones->size() != 16) return false;
  for (size_t i = 0; i < 16; ++i) {
    const RecordJson& stone = (*stones)[i];
    if (!stone.is_array() || stone.size() != 2) return false;
    StonePos& place = position.stones[i];
    if (!ReadJsonFloat(&stone[0], place.x) || !ReadJsonFloat(&stone[1], place.y) ||
        !std::isfinite(place.x) || !std::isfinite(place.y)) {
      return false;
    }
  }
  int turnFlag = 0;
  if (!ReadRangedInteger(*value, "shot", 0, 15, position.shotNumber, problem) ||
      !ReadRangedInteger(*value, "end", 0, kMaxEnds - 1, position.currentEnd, problem) ||
      !ReadRangedInteger(*value, "lastEnd", position.currentEnd, kMaxEnds - 1, position.lastEnd,
                         problem) ||
      !ReadRangedInteger(*value, "turnFlag", 0, 1, turnFlag, problem)) {
    return false;
  }
  position.turnFlag = static_cast<uint8_t>(turnFlag);
  return true;
}

bool ReadDecide(const RecordJson& request, DecideRequest& decide, std::string& problem) {
  decide = DecideRequest{};
  if (!ReadPosition(JsonMember(request, "position"), decide.position, problem)) return false;
  if (!ReadRangedInteger(request, "lead", -99, 99, decide.lead, problem)) return false;
  decide.timeMs = kMinEngineMs;
  if (JsonMember(request, "timeMs") == nullptr) {
    problem = "timeMs is missing";
    return false;
  }
  if (!ReadOptionalMs(request, "timeMs", kMinEngineMs, kMaxEngineMs, decide.timeMs, problem)) {
    return false;
  }
  const RecordJson* samples = JsonMember(request, "samples");
  if (samples != nullptr &&
      (!ReadJsonUnsigned64(samples, decide.samples) || decide.samples > kMaxDecisionSamples)) {
    problem = "samples must be a whole number from 0 to " + std::to_string(kMaxDecisionSamples);
    return false;
  }
  const RecordJson* seed = JsonMember(request, "seed");
  decide.seedGiven = seed != nullptr;
  if (decide.seedGiven && !ReadJsonUnsigned64(seed, decide.seed)) {
    problem = "seed must be a whole number from 0 to 2^64 - 1";
    return false;
  }
  return true;
}

std::string ShotReply(const ShotVec& shot) {
  return "BESTSHOT " + ShortestFloat(shot.vx) + " " + ShortestFloat(shot.vy) + " " +
         std::to_string(shot.spin);
}

RecordJson ShotData(const ShotVec& shot) {
  return RecordJson::array({JsonFloat(shot.vx), JsonFloat(shot.vy), shot.spin});
}

// The position the player to deliver sees, as a decide request reads it.
RecordJson PositionData(const GameFlow& flow) {
  return RecordJson{{"stones", JsonStones(flow.state)},
                    {"shot", flow.state.shotNumber},
                    {"end", flow.state.currentEnd},
                    {"lastEnd", LastEndIndex(flow)},
                    {"turnFlag", TurnFlagToDeliver(flow)}};
}

RecordJson PathsData(const DeliveryMotion& motion) {
  RecordJson paths = RecordJson::array();
  for (int slot = 0; slot < 16; ++slot) {
    if (motion.paths.stones[slot].count > 0) {
      paths.push_back(GamePageStonePath(motion, slot, kPageViewBottomY));
    }
  }
  return paths;
}

RecordJson StateData(const PlayGame& game) {
  if (!game.Started()) return RecordJson{{"started", false}};
  const GameFlow& flow = game.Flow();
  const LineScore& score = flow.score;
  RecordJson endPoints = RecordJson::array();
  RecordJson endFirst = RecordJson::array();
  for (int e = 0; e < score.endsPlayed; ++e) {
    endPoints.push_back(RecordJson::array({score.endPoints[e][0], score.endPoints[e][1]}));
    endFirst.push_back(score.endFirst[e]);
  }
  RecordJson state = {
      {"started", true},
      {"over", game.Over()},
      {"end", flow.state.currentEnd},
      {"shot", flow.state.shotNumber},
      {"ends", score.regularEnds},
      {"endsPlayed", score.endsPlayed},
      {"sideA", score.sideAPlayer},
      {"firstInEnd", flow.firstInEnd},
      {"points", {score.points[0], score.points[1]}},
      {"endPoints", std::move(endPoints)},
      {"endFirst", std::move(endFirst)},
      {"stones", JsonStones(flow.state)},
      {"noise", JsonFloat(game.Settings().noise)},
      {"engineMs", game.Settings().engineMs},
  };
  if (game.Over()) {
    const GameResult& result = game.Result();
    state["winner"] = result.winner >= 0 ? RecordJson(PlayerWord(result.winner)) : RecordJson();
    state["draw"] = result.draw;
  } else {
    state["toDeliver"] = PlayerWord(game.ToDeliver());
    state["decide"] = {{"position", PositionData(flow)}, {"lead", game.LeadToDeliver()}};
  }
  return state;
}

RecordJson Aim(const PlayGame& game, const AimRequest& aim) {
  if (!game.Started() || game.Over()) return Error("no game is being played");
  ShotVec shot{};
  std::string problem;
  if (aim.kind == AimKind::kReply) {
    if (!ParseShotReply(aim.reply, shot, problem)) return Error(problem);
  } else {
    const int made = aim.kind == AimKind::kHit ? CreateHitShot(aim.target, aim.weight, &shot)
                                               : CreateShot(aim.target, &shot);
    if (made != kSimOk) return Error("no shot reaches that point");
  }
  // The shot as the reply carries it, so that the preview is what a
  // delivery of that reply would do without error.
  const std::string reply = aim.kind == AimKind::kReply ? aim.reply : ShotReply(shot);
  if (!ParseShotReply(reply, shot, problem)) return Error("no legal shot: " + problem);
  GameFlow flow = game.Flow();
  GameState state = flow.state;
  state.turnFlag = TurnFlagToDeliver(flow);
  state.lastEnd = LastEndIndex(flow);
  DeliveryMotion motion;
  motion.samples.resize(1024);
  SimulationReport report{};
  while (SimulationWithPaths(&state, shot, 0.0f, &report, kPlayPathStep, motion.samples.data(),
                             static_cast<int32_t>(motion.samples.size()),
                             &motion.paths) == kSimPathBufferTooSmall) {
    motion.samples.resize(static_cast<size_t>(motion.paths.sampleCount));
    state = flow.state;
    state.turnFlag = TurnFlagToDeliver(flow);
    state.lastEnd = LastEndIndex(flow);
  }
  return RecordJson{{"shot", ShotData(shot)},
                    {"reply", reply},
                    {"after", JsonStones(report.after)},
                    {"paths", PathsData(motion)}};
}

RecordJson Deliver(PlayGame& game, const DeliverRequest& deliver) {
  if (game.Started() && !game.Over() && game.ToDeliver() != deliver.player) {
    return Error(std::string("it is the ") + PlayerWord(game.ToDeliver()) + "'s turn");
  }
  DeliveryMotion motion;
  DeliveryResult result;
  std::string problem;
  if (!game.Deliver(deliver.reply, deliver.timeMs, motion, result, problem)) {
    return Error(problem);
  }
  return RecordJson{{"executed", {JsonDouble(result.executedVx), JsonDouble(result.executedVy)}},
                    {"after", JsonStones(result.after)},
                    {"endClosed", result.endClosed},
                    {"endScoreA", result.endScoreA},
                    {"paths", PathsData(motion)},
                    {"state", StateData(game)}};
}

// The game page of the record so far, made as curling-analyze view makes it:
// the record replayed from a file (the module's own memory in the browser).
RecordJson Page(const PlayGame& game) {
  if (!game.Started()) return Error("no game has been started");
  std::error_code ignored;
  const std::filesystem::path path =
      std::filesystem::temp_directory_path(ignored) /
      ("curling-play-" + std::to_string(game.Settings().seed) + ".jsonl");
  std::string problem;
  if (!WriteTextFile(path.string(), game.SavedRecord(), problem)) return Error(problem);
  ReplayedGame replayed;
  const bool agrees = ReplayRecord(path.string(), problem, &replayed, kPagePathStep);
  std::filesystem::remove(path, ignored);
  if (!agrees) return Error("the record does not replay: " + problem);
  return RecordJson{{"html", GamePageHtml(replayed, search::strong::LearnedHammerWinChance)}};
}

RecordJson Decide(const DecideRequest& decide) {
  search::strong::StrongSettings settings = search::strong::ShippedStrongSettings();
  settings.timeMs = static_cast<uint64_t>(decide.timeMs);
  settings.sampleBudget = decide.samples;
  settings.seedGiven = decide.seedGiven;
  settings.seed = decide.seed;
  const uint64_t start = settings.readClockMs();
  search::strong::StrongReport report{};
  const ShotVec shot =
      search::strong::SearchStrong(decide.position, decide.lead, settings, start, &report);
  return RecordJson{{"shot", ShotData(shot)},
                    {"reply", ShotReply(shot)},
                    {"ms", settings.readClockMs() - start},
                    {"samples", report.samples},
                    {"candidates", report.candidates},
                    {"value", JsonRounded(report.value, 4)}};
}

}  // namespace

bool ReadPlayRequest(std::string_view text, PlayRequest& request, std::string& problem) {
  RecordJson json;
  if (!ParseJsonText(text, json, problem)) {
    problem = "not JSON: " + problem;
    return false;
  }
  std::string op;
  if (!json.is_object() || !ReadJsonBytes(JsonMember(json, "op"), op)) {
    problem = "a request is an object with an op";
    return false;
  }
  request = PlayRequest{};
  static const std::pair<const char*, PlayOp> kOps[] = {
      {"new", PlayOp::kNew},         {"state", PlayOp::kState},   {"aim", PlayOp::kAim},
      {"deliver", PlayOp::kDeliver}, {"record", PlayOp::kRecord}, {"page", PlayOp::kPage},
      {"sheet", PlayOp::kSheet},     {"decide", PlayOp::kDecide}};
  bool known = false;
  for (const auto& [name, value] : kOps) {
    if (op == name) {
      request.op = value;
      known = true;
    }
  }
  if (!known) {
    problem = "unknown op: " + op;
    return false;
  }
  switch (request.op) {
    case PlayOp::kNew:
      return ReadSettings(json, request.settings, problem);
    case PlayOp::kAim:
      return ReadAim(json, request.aim, problem);
    case PlayOp::kDeliver:
      return ReadDeliver(json, request.deliver, problem);
    case PlayOp::kDecide:
      return ReadDecide(json, request.decide, problem);
    default:
      return true;
  }
}

std::string AnswerPlayRequest(PlayGame& game, const PlayRequest& request) {
  // The search and the learned value of the game page's graph reach the
  // physics through entry points; here the library is linked in.
  engine::BindLinkedSimulator();
  RecordJson reply;
  switch (request.op) {
    case PlayOp::kNew:
      game.Start(request.settings);
      reply = StateData(game);
      break;
    case PlayOp::kState:
      reply = StateData(game);
      break;
    case PlayOp::kAim:
      reply = Aim(game, request.aim);
      break;
    case PlayOp::kDeliver:
      reply = Deliver(game, request.deliver);
      break;
    case PlayOp::kRecord:
      reply = game.Started() ? RecordJson{{"record", JsonBytes(game.SavedRecord())}}
                             : Error("no game has been started");
      break;
    case PlayOp::kPage:
      reply = Page(game);
      break;
    case PlayOp::kSheet:
      reply = RecordJson{{"svg", GamePageSheet(kPageViewBottomY)},
                         {"stoneRadius", JsonDouble(kStoneRadius)},
                         {"tee", {JsonDouble(kTeeX), JsonDouble(kTeeY)}}};
      break;
    case PlayOp::kDecide:
      reply = Decide(request.decide);
      break;
  }
  return JsonText(reply);
}

std::string HandlePlayRequest(PlayGame& game, std::string_view text) {
  PlayRequest request;
  std::string problem;
  if (!ReadPlayRequest(text, request, problem)) return JsonText(Error(problem));
  return AnswerPlayRequest(game, request);
}
