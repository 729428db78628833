#include "web/play_game.h"

#include "match/engines/reply_scan.h"
#include "match/records/record_writer.h"

namespace {

// The names the record gives the two sides, and the engine's as a command
// would start it: the page plays the stronger search.
constexpr const char* kPersonName = "person";
constexpr const char* kEngineName = "curling-engine-strong";

}  // namespace

void PlayGame::Start(const PlaySettings& settings) {
  settings_ = settings;
  gameSettings_ = GameSettings{};
  gameSettings_.players[kPersonPlayer] = {kPersonName, "the page", {}};
  gameSettings_.players[kEnginePlayer] = {kEngineName, "the page's engine", {}};
  gameSettings_.ends = settings.ends;
  gameSettings_.noise = settings.noise;
  gameSettings_.moveTimeMs = settings.engineMs;
  gameSettings_.hammerPlayer = settings.hammerPlayer;
  gameSettings_.seed = settings.seed;
  StartGame(flow_, settings.ends, settings.hammerPlayer, settings.seed);
  result_ = GameResult{};
  result_.gameNumber = gameSettings_.gameNumber;
  result_.names[0] = kPersonName;
  result_.names[1] = kEngineName;
  result_.score = flow_.score;
  record_.clear();
  AddLine(HeaderLine(gameSettings_, flow_));
  started_ = true;
  over_ = false;
}

int PlayGame::LeadToDeliver() const {
  const int player = ToDeliver();
  return flow_.score.points[player] - flow_.score.points[1 - player];
}

bool PlayGame::Deliver(const std::string& reply, int64_t timeMs, DeliveryMotion& motion,
                       DeliveryResult& result, std::string& problem) {
  if (!started_ || over_) {
    problem = started_ ? "the game is over" : "no game has been started";
    return false;
  }
  // The reply read as the runner reads an engine's, so that the record
  // replays: the shot is what the text says, to the float.
  ShotVec shot{};
  if (!ParseShotReply(reply, shot, problem)) return false;
  const DeliveryFacts facts = NextDeliveryFacts(flow_, reply, shot, timeMs);
  result = SimulateShot(flow_, shot, settings_.noise, &motion, kPlayPathStep);
  AddLine(DeliveryLine(facts, result));
  if (result.endClosed) {
    const GameStatus status = FinishEnd(flow_, result.endScoreA);
    // No picture is written beside a record made in the browser.
    AddLine(EndLine(flow_, result.endScoreA, ""));
    result_.score = flow_.score;
    if (status != GameStatus::kContinue) {
      over_ = true;
      result_.draw = status == GameStatus::kDrawn;
      result_.winner = result_.draw ? -1 : Leader(flow_.score);
      AddLine(ResultLine(result_));
    }
  }
  return true;
}

std::string PlayGame::SavedRecord() const {
  if (!started_ || over_) return record_;
  GameResult unfinished = result_;
  unfinished.fault = Fault::kInterrupted;
  unfinished.detail = "saved while the game was being played";
  return record_ + ResultLine(unfinished) + "\n";
}

void PlayGame::AddLine(const std::string& line) {
  record_ += line;
  record_ += '\n';
}
