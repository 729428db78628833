#include "web/play_game.h"

#include "match/engines/reply_scan.h"
#include "match/records/record_writer.h"

namespace web {

namespace {

// The names the record gives the two sides, and the engine's as a command
// would start it: the page plays the stronger search.
constexpr const char* kPersonName = "person";
constexpr const char* kEngineName = "curling-engine-strong";

}  // namespace

void PlayGame::Start(const PlaySettings& settings) {
  settings_ = settings;
  gameSettings_ = match::game::GameSettings{};
  gameSettings_.players[kPersonPlayer] = {kPersonName, "the page", {}};
  gameSettings_.players[kEnginePlayer] = {kEngineName, "the page's engine", {}};
  gameSettings_.ends = settings.ends;
  gameSettings_.noise = settings.noise;
  gameSettings_.moveTimeMs = settings.engineMs;
  gameSettings_.hammerPlayer = settings.hammerPlayer;
  gameSettings_.seed = settings.seed;
  match::game::StartGame(flow_, settings.ends, settings.hammerPlayer, settings.seed);
  result_ = match::game::GameResult{};
  result_.gameNumber = gameSettings_.gameNumber;
  result_.names[0] = kPersonName;
  result_.names[1] = kEngineName;
  result_.score = flow_.score;
  record_.clear();
  AddLine(match::records::HeaderLine(gameSettings_, flow_));
  started_ = true;
  over_ = false;
}

int PlayGame::LeadToDeliver() const {
  const int player = ToDeliver();
  return flow_.score.points[player] - flow_.score.points[1 - player];
}

bool PlayGame::Deliver(const std::string& reply, int64_t timeMs,
                       match::game::DeliveryMotion& motion, match::game::DeliveryResult& result,
                       std::string& problem) {
  if (!started_ || over_) {
    problem = started_ ? "the game is over" : "no game has been started";
    return false;
  }
  // The reply read as the runner reads an engine's, so that the record
  // replays: the shot is what the text says, to the float.
  ShotVec shot{};
  if (!match::engines::ParseShotReply(reply, shot, problem)) return false;
  const match::records::DeliveryFacts facts =
      match::records::NextDeliveryFacts(flow_, reply, shot, timeMs);
  result = match::game::SimulateShot(flow_, shot, settings_.noise, &motion, kPlayPathStep);
  AddLine(match::records::DeliveryLine(facts, result));
  if (result.endClosed) {
    const match::game::GameStatus status = match::game::FinishEnd(flow_, result.endScoreA);
    // No picture is written beside a record made in the browser.
    AddLine(match::records::EndLine(flow_, result.endScoreA, ""));
    result_.score = flow_.score;
    if (status != match::game::GameStatus::kContinue) {
      over_ = true;
      result_.draw = status == match::game::GameStatus::kDrawn;
      result_.winner = result_.draw ? -1 : match::game::Leader(flow_.score);
      AddLine(match::records::ResultLine(result_));
    }
  }
  return true;
}

std::string PlayGame::SavedRecord() const {
  if (!started_ || over_) return record_;
  match::game::GameResult unfinished = result_;
  unfinished.fault = match::engines::Fault::kInterrupted;
  unfinished.detail = "saved while the game was being played";
  return record_ + match::records::ResultLine(unfinished) + "\n";
}

void PlayGame::AddLine(const std::string& line) {
  record_ += line;
  record_ += '\n';
}

}  // namespace web
