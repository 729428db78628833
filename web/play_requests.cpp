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

namespace web {

namespace {

// Where a shot may be aimed: between the side lines, from the end of the ice
// behind the house (y = 0) to the hog line.
constexpr float kMaxAimY = static_cast<float>(kFarHogY);

match::records::RecordJson Error(const std::string& problem) {
  return match::records::RecordJson{{"error", problem}};
}

const char* PlayerWord(int player) {
  return player == kPersonPlayer ? "person" : "engine";
}

bool ReadPlayer(const match::records::RecordJson* value, int& player) {
  std::string word;
  if (!match::records::ReadJsonBytes(value, word)) return false;
  if (word == "person" || word == "engine") {
    player = word == "person" ? kPersonPlayer : kEnginePlayer;
    return true;
  }
  return false;
}

bool ReadRangedInteger(const match::records::RecordJson& object, const char* key, int low, int high,
                       int& out, std::string& problem) {
  if (!match::records::ReadJsonInteger(match::records::JsonMember(object, key), out) || out < low ||
      out > high) {
    problem = std::string(key) + " must be a whole number from " + std::to_string(low) + " to " +
              std::to_string(high);
    return false;
  }
  return true;
}

bool ReadRangedFloat(const match::records::RecordJson& object, const char* key, float low,
                     float high, float& out, std::string& problem) {
  if (!match::records::ReadJsonFloat(match::records::JsonMember(object, key), out) ||
      !std::isfinite(out) || out < low || out > high) {
    problem = std::string(key) + " must be a number from " + match::engines::ShortestFloat(low) +
              " to " + match::engines::ShortestFloat(high);
    return false;
  }
  return true;
}

// A time or a count that may be missing (left as it is) but not wrong.
bool ReadOptionalMs(const match::records::RecordJson& object, const char* key, int64_t low,
                    int64_t high, int64_t& out, std::string& problem) {
  const match::records::RecordJson* value = match::records::JsonMember(object, key);
  if (value == nullptr) return true;
  double ms = 0.0;
  if (!match::records::ReadJsonDouble(value, ms) || !(ms >= static_cast<double>(low)) ||
      !(ms <= static_cast<double>(high)) || ms != std::floor(ms)) {
    problem = std::string(key) + " must be a whole number from " + std::to_string(low) + " to " +
              std::to_string(high);
    return false;
  }
  out = static_cast<int64_t>(ms);
  return true;
}

bool ReadSettings(const match::records::RecordJson& request, PlaySettings& settings,
                  std::string& problem) {
  settings = PlaySettings{};
  if (!ReadRangedInteger(request, "ends", 1, match::game::kMaxEnds, settings.ends, problem))
    return false;
  if (!ReadPlayer(match::records::JsonMember(request, "hammer"), settings.hammerPlayer)) {
    problem = "hammer must be \"person\" or \"engine\"";
    return false;
  }
  if (match::records::JsonMember(request, "noise") != nullptr &&
      !ReadRangedFloat(request, "noise", 0.0f, kMaxPlayNoise, settings.noise, problem)) {
    return false;
  }
  const match::records::RecordJson* seed = match::records::JsonMember(request, "seed");
  if (seed != nullptr && !match::records::ReadJsonUnsigned64(seed, settings.seed)) {
    problem = "seed must be a whole number from 0 to 2^64 - 1";
    return false;
  }
  return ReadOptionalMs(request, "engineMs", kMinEngineMs, kMaxEngineMs, settings.engineMs,
                        problem);
}

bool ReadReply(const match::records::RecordJson& request, std::string& reply,
               std::string& problem) {
  if (!match::records::ReadJsonBytes(match::records::JsonMember(request, "reply"), reply) ||
      reply.size() > match::engines::kMaxReplyBytes) {
    problem = "reply must be a shot reply, \"BESTSHOT vx vy spin\"";
    return false;
  }
  return true;
}

bool ReadAim(const match::records::RecordJson& request, AimRequest& aim, std::string& problem) {
  aim = AimRequest{};
  std::string kind;
  match::records::ReadJsonBytes(match::records::JsonMember(request, "kind"), kind);
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

bool ReadDeliver(const match::records::RecordJson& request, DeliverRequest& deliver,
                 std::string& problem) {
  deliver = DeliverRequest{};
  if (!ReadReply(request, deliver.reply, problem)) return false;
  if (!ReadPlayer(match::records::JsonMember(request, "by"), deliver.player)) {
    problem = "by must be \"person\" or \"engine\"";
    return false;
  }
  return ReadOptionalMs(request, "ms", 0, kMaxEngineMs * 1000, deliver.timeMs, problem);
}

bool ReadPosition(const match::records::RecordJson* value, GameState& position,
                  std::string& problem) {
  position = GameState{};
  problem = "position must have stones (16 pairs of numbers), shot, end, lastEnd and turnFlag";
  if (value == nullptr || !value->is_object()) return false;
  const match::records::RecordJson* stones = match::records::JsonMember(*value, "stones");
  if (stones == nullptr || !stones->is_array() || stones->size() != 16) return false;
  for (size_t i = 0; i < 16; ++i) {
    const match::records::RecordJson& stone = (*stones)[i];
    if (!stone.is_array() || stone.size() != 2) return false;
    StonePos& place = position.stones[i];
    if (!match::records::ReadJsonFloat(&stone[0], place.x) ||
        !match::records::ReadJsonFloat(&stone[1], place.y) || !std::isfinite(place.x) ||
        !std::isfinite(place.y)) {
      return false;
    }
  }
  int turnFlag = 0;
  if (!ReadRangedInteger(*value, "shot", 0, 15, position.shotNumber, problem) ||
      !ReadRangedInteger(*value, "end", 0, match::game::kMaxEnds - 1, position.currentEnd,
                         problem) ||
      !ReadRangedInteger(*value, "lastEnd", position.currentEnd, match::game::kMaxEnds - 1,
                         position.lastEnd, problem) ||
      !ReadRangedInteger(*value, "turnFlag", 0, 1, turnFlag, problem)) {
    return false;
  }
  position.turnFlag = static_cast<uint8_t>(turnFlag);
  return true;
}

bool ReadDecide(const match::records::RecordJson& request, DecideRequest& decide,
                std::string& problem) {
  decide = DecideRequest{};
  if (!ReadPosition(match::records::JsonMember(request, "position"), decide.position, problem))
    return false;
  if (!ReadRangedInteger(request, "lead", -99, 99, decide.lead, problem)) return false;
  decide.timeMs = kMinEngineMs;
  if (match::records::JsonMember(request, "timeMs") == nullptr) {
    problem = "timeMs is missing";
    return false;
  }
  if (!ReadOptionalMs(request, "timeMs", kMinEngineMs, kMaxEngineMs, decide.timeMs, problem)) {
    return false;
  }
  const match::records::RecordJson* samples = match::records::JsonMember(request, "samples");
  if (samples != nullptr && (!match::records::ReadJsonUnsigned64(samples, decide.samples) ||
                             decide.samples > kMaxDecisionSamples)) {
    problem = "samples must be a whole number from 0 to " + std::to_string(kMaxDecisionSamples);
    return false;
  }
  const match::records::RecordJson* seed = match::records::JsonMember(request, "seed");
  decide.seedGiven = seed != nullptr;
  if (decide.seedGiven && !match::records::ReadJsonUnsigned64(seed, decide.seed)) {
    problem = "seed must be a whole number from 0 to 2^64 - 1";
    return false;
  }
  return true;
}

std::string ShotReply(const ShotVec& shot) {
  return "BESTSHOT " + match::engines::ShortestFloat(shot.vx) + " " +
         match::engines::ShortestFloat(shot.vy) + " " + std::to_string(shot.spin);
}

match::records::RecordJson ShotData(const ShotVec& shot) {
  return match::records::RecordJson::array(
      {match::records::JsonFloat(shot.vx), match::records::JsonFloat(shot.vy), shot.spin});
}

// The position the player to deliver sees, as a decide request reads it.
match::records::RecordJson PositionData(const match::game::GameFlow& flow) {
  return match::records::RecordJson{{"stones", match::records::JsonStones(flow.state)},
                                    {"shot", flow.state.shotNumber},
                                    {"end", flow.state.currentEnd},
                                    {"lastEnd", match::game::LastEndIndex(flow)},
                                    {"turnFlag", match::game::TurnFlagToDeliver(flow)}};
}

match::records::RecordJson PathsData(const match::game::DeliveryMotion& motion) {
  match::records::RecordJson paths = match::records::RecordJson::array();
  for (int slot = 0; slot < 16; ++slot) {
    if (motion.paths.stones[slot].count > 0) {
      paths.push_back(
          match::reports::GamePageStonePath(motion, slot, match::reports::kPageViewBottomY));
    }
  }
  return paths;
}

match::records::RecordJson StateData(const PlayGame& game) {
  if (!game.Started()) return match::records::RecordJson{{"started", false}};
  const match::game::GameFlow& flow = game.Flow();
  const match::game::LineScore& score = flow.score;
  match::records::RecordJson endPoints = match::records::RecordJson::array();
  match::records::RecordJson endFirst = match::records::RecordJson::array();
  for (int e = 0; e < score.endsPlayed; ++e) {
    endPoints.push_back(
        match::records::RecordJson::array({score.endPoints[e][0], score.endPoints[e][1]}));
    endFirst.push_back(score.endFirst[e]);
  }
  match::records::RecordJson state = {
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
      {"stones", match::records::JsonStones(flow.state)},
      {"noise", match::records::JsonFloat(game.Settings().noise)},
      {"engineMs", game.Settings().engineMs},
  };
  if (game.Over()) {
    const match::game::GameResult& result = game.Result();
    state["winner"] = result.winner >= 0 ? match::records::RecordJson(PlayerWord(result.winner))
                                         : match::records::RecordJson();
    state["draw"] = result.draw;
  } else {
    state["toDeliver"] = PlayerWord(game.ToDeliver());
    state["decide"] = {{"position", PositionData(flow)}, {"lead", game.LeadToDeliver()}};
  }
  return state;
}

match::records::RecordJson Aim(const PlayGame& game, const AimRequest& aim) {
  if (!game.Started() || game.Over()) return Error("no game is being played");
  ShotVec shot{};
  std::string problem;
  if (aim.kind == AimKind::kReply) {
    if (!match::engines::ParseShotReply(aim.reply, shot, problem)) return Error(problem);
  } else {
    const int made = aim.kind == AimKind::kHit ? CreateHitShot(aim.target, aim.weight, &shot)
                                               : CreateShot(aim.target, &shot);
    if (made != kSimOk) return Error("no shot reaches that point");
  }
  // The shot as the reply carries it, so that the preview is what a
  // delivery of that reply would do without error.
  const std::string reply = aim.kind == AimKind::kReply ? aim.reply : ShotReply(shot);
  if (!match::engines::ParseShotReply(reply, shot, problem))
    return Error("no legal shot: " + problem);
  match::game::GameFlow flow = game.Flow();
  GameState state = flow.state;
  state.turnFlag = match::game::TurnFlagToDeliver(flow);
  state.lastEnd = match::game::LastEndIndex(flow);
  match::game::DeliveryMotion motion;
  motion.samples.resize(1024);
  SimulationReport report{};
  while (SimulationWithPaths(&state, shot, 0.0f, &report, kPlayPathStep, motion.samples.data(),
                             static_cast<int32_t>(motion.samples.size()),
                             &motion.paths) == kSimPathBufferTooSmall) {
    motion.samples.resize(static_cast<size_t>(motion.paths.sampleCount));
    state = flow.state;
    state.turnFlag = match::game::TurnFlagToDeliver(flow);
    state.lastEnd = match::game::LastEndIndex(flow);
  }
  return match::records::RecordJson{{"shot", ShotData(shot)},
                                    {"reply", reply},
                                    {"after", match::records::JsonStones(report.after)},
                                    {"paths", PathsData(motion)}};
}

match::records::RecordJson Deliver(PlayGame& game, const DeliverRequest& deliver) {
  if (game.Started() && !game.Over() && game.ToDeliver() != deliver.player) {
    return Error(std::string("it is the ") + PlayerWord(game.ToDeliver()) + "'s turn");
  }
  match::game::DeliveryMotion motion;
  match::game::DeliveryResult result;
  std::string problem;
  if (!game.Deliver(deliver.reply, deliver.timeMs, motion, result, problem)) {
    return Error(problem);
  }
  return match::records::RecordJson{{"executed",
                                     {match::records::JsonDouble(result.executedVx),
                                      match::records::JsonDouble(result.executedVy)}},
                                    {"after", match::records::JsonStones(result.after)},
                                    {"endClosed", result.endClosed},
                                    {"endScoreA", result.endScoreA},
                                    {"paths", PathsData(motion)},
                                    {"state", StateData(game)}};
}

// The game page of the record so far, made as curling-analyze view makes it:
// the record replayed from a file (the module's own memory in the browser).
match::records::RecordJson Page(const PlayGame& game) {
  if (!game.Started()) return Error("no game has been started");
  std::error_code ignored;
  const std::filesystem::path path =
      std::filesystem::temp_directory_path(ignored) /
      ("curling-play-" + std::to_string(game.Settings().seed) + ".jsonl");
  std::string problem;
  if (!match::records::WriteTextFile(path.string(), game.SavedRecord(), problem))
    return Error(problem);
  match::records::ReplayedGame replayed;
  const bool agrees = match::records::ReplayRecord(path.string(), problem, &replayed,
                                                   match::reports::kPagePathStep);
  std::filesystem::remove(path, ignored);
  if (!agrees) return Error("the record does not replay: " + problem);
  return match::records::RecordJson{
      {"html", match::reports::GamePageHtml(replayed, search::strong::LearnedHammerWinChance)}};
}

match::records::RecordJson Decide(const DecideRequest& decide) {
  search::strong::StrongSettings settings = search::strong::ShippedStrongSettings();
  settings.timeMs = static_cast<uint64_t>(decide.timeMs);
  settings.sampleBudget = decide.samples;
  settings.seedGiven = decide.seedGiven;
  settings.seed = decide.seed;
  const uint64_t start = settings.readClockMs();
  search::strong::StrongReport report{};
  const ShotVec shot =
      search::strong::SearchStrong(decide.position, decide.lead, settings, start, &report);
  return match::records::RecordJson{{"shot", ShotData(shot)},
                                    {"reply", ShotReply(shot)},
                                    {"ms", settings.readClockMs() - start},
                                    {"samples", report.samples},
                                    {"candidates", report.candidates},
                                    {"value", match::records::JsonRounded(report.value, 4)}};
}

}  // namespace

bool ReadPlayRequest(std::string_view text, PlayRequest& request, std::string& problem) {
  match::records::RecordJson json;
  if (!match::records::ParseJsonText(text, json, problem)) {
    problem = "not JSON: " + problem;
    return false;
  }
  std::string op;
  if (!json.is_object() ||
      !match::records::ReadJsonBytes(match::records::JsonMember(json, "op"), op)) {
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
  match::records::RecordJson reply;
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
      reply = game.Started()
                  ? match::records::RecordJson{{"record",
                                                match::records::JsonBytes(game.SavedRecord())}}
                  : Error("no game has been started");
      break;
    case PlayOp::kPage:
      reply = Page(game);
      break;
    case PlayOp::kSheet:
      reply = match::records::RecordJson{
          {"svg", match::reports::GamePageSheet(match::reports::kPageViewBottomY)},
          {"stoneRadius", match::records::JsonDouble(kStoneRadius)},
          {"tee", {match::records::JsonDouble(kTeeX), match::records::JsonDouble(kTeeY)}}};
      break;
    case PlayOp::kDecide:
      reply = Decide(request.decide);
      break;
  }
  return match::records::JsonText(reply);
}

std::string HandlePlayRequest(PlayGame& game, std::string_view text) {
  PlayRequest request;
  std::string problem;
  if (!ReadPlayRequest(text, request, problem)) return match::records::JsonText(Error(problem));
  return AnswerPlayRequest(game, request);
}

}  // namespace web
