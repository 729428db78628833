#include "match/referee.h"

#include <algorithm>

#include "match/engines/engine_client.h"
#include "match/game/game_flow.h"
#include "match/game_outputs.h"
#include "match/platform/console.h"
#include "match/records/end_picture.h"
#include "match/records/game_files.h"
#include "match/records/text_file.h"
#include "match/reports/progress.h"

namespace match {

namespace {

struct Game {
  Game(const game::GameSettings& gameSettings, const DeliveryWatcher& deliveryWatcher,
       game::PlayedGame& playedGame)
      : settings(gameSettings),
        watcher(deliveryWatcher),
        played(playedGame),
        result(playedGame.result) {}
  const game::GameSettings& settings;
  const DeliveryWatcher& watcher;
  game::PlayedGame& played;
  game::GameResult& result;
  game::GameFlow flow;
  records::RecordFile record;
  engines::EngineConnection engines[2];
  bool started[2] = {false, false};
  int64_t usedMs[2] = {0, 0};
  bool recordFailed = false;
};

std::string Path(const game::GameSettings& settings, const std::string& name) {
  return settings.outputDirectory.empty() ? name : settings.outputDirectory + "/" + name;
}

void Record(Game& game, const std::string& line) {
  if (!records::WriteRecordLine(game.record, line)) game.recordFailed = true;
}

void Lose(Game& game, int player, const engines::ReplyOutcome& outcome) {
  game::GameResult& result = game.result;
  result.fault = outcome.fault;
  result.detail = outcome.detail;
  result.faultReply = outcome.text;
  if (outcome.fault == engines::Fault::kInterrupted) return;  // nobody lost: the runner stopped
  result.faultPlayer = player;
  result.winner = player == game::kBothPlayers ? -1 : 1 - player;
}

// Starts both engines and waits for both to be ready. False when the game
// is over before its first stone.
bool StartEngines(Game& game) {
  engines::ReplyOutcome outcomes[2];
  int64_t sentAt[2] = {0, 0};
  for (int p = 0; p < 2; ++p) {
    const game::PlayerSpec& player = game.settings.players[p];
    std::string reason;
    const std::string log = Path(game.settings, records::ErrorLogName(game.settings.gameNumber, p));
    game.started[p] = engines::StartEngine(player.words, log, game.engines[p], reason);
    if (!game.started[p]) {
      outcomes[p].fault = platform::InterruptSignal() != 0 ? engines::Fault::kInterrupted
                                                           : engines::Fault::kNoStart;
      outcomes[p].detail = reason;
      continue;
    }
    // Both start up at the same time; each has its own move time for it.
    if (engines::SendCommand(game.engines[p], "NEWGAME") < 0 ||
        (sentAt[p] = engines::SendCommand(game.engines[p], "ISREADY")) < 0) {
      outcomes[p] = engines::LostEngine(game.engines[p]);
    }
  }
  for (int p = 0; p < 2; ++p) {
    if (!game.started[p] || outcomes[p].fault != engines::Fault::kNone) continue;
    outcomes[p] =
        engines::AwaitReady(game.engines[p], sentAt[p], sentAt[p] + game.settings.moveTimeMs);
    if (outcomes[p].fault == engines::Fault::kTime)
      outcomes[p].detail = "no READYOK: " + outcomes[p].detail;
  }
  const bool failed[2] = {outcomes[0].fault != engines::Fault::kNone,
                          outcomes[1].fault != engines::Fault::kNone};
  if (!failed[0] && !failed[1]) return true;
  if (failed[0] && failed[1]) {
    engines::ReplyOutcome both = outcomes[0];
    both.detail = "player 1: " + outcomes[0].detail + "; player 2: " + outcomes[1].detail;
    if (outcomes[1].fault == engines::Fault::kInterrupted)
      both.fault = engines::Fault::kInterrupted;
    Lose(game, game::kBothPlayers, both);
  } else {
    const int p = failed[0] ? 0 : 1;
    Lose(game, p, outcomes[p]);
  }
  return false;
}

// Asks the player to deliver for a shot. A fault ends the game.
bool AskForShot(Game& game, engines::ReplyOutcome& outcome) {
  const int player = game::PlayerToDeliver(game.flow);
  engines::EngineConnection& engine = game.engines[player];
  int64_t sentAt = -1;
  if (engines::SendCommand(engine, game::PositionCommand(game.flow)) < 0 ||
      engines::SendCommand(engine, game::SetStateCommand(game.flow)) < 0 ||
      (sentAt = engines::SendCommand(engine, "GO")) < 0) {
    outcome = engines::LostEngine(engine);
    Lose(game, player, outcome);
    return false;
  }
  int64_t limit = game.settings.moveTimeMs;
  if (game.settings.gameTimeMs > 0) {
    limit = std::min(limit, game.settings.gameTimeMs - game.usedMs[player]);
  }
  outcome = engines::AwaitShot(engine, sentAt, sentAt + std::max<int64_t>(limit, 0));
  game.usedMs[player] += outcome.elapsedMs;
  if (outcome.fault == engines::Fault::kNone) return true;
  if (outcome.fault == engines::Fault::kTime && limit < game.settings.moveTimeMs) {
    outcome.detail = "game time used up: " + outcome.detail;
  }
  Lose(game, player, outcome);
  return false;
}

void BookEnd(Game& game, const GameState& finalPosition, int endScoreA, game::GameStatus& status) {
  status = game::FinishEnd(game.flow, endScoreA);
  game.played.endPositions.push_back(finalPosition);
  const int end = game.flow.score.endsPlayed - 1;
  Record(game, records::EndLine(game.flow, endScoreA,
                                records::EndPictureName(game.settings.gameNumber, end)));
}

void PlayEnds(Game& game) {
  game::GameStatus status = game::GameStatus::kContinue;
  while (status == game::GameStatus::kContinue) {
    engines::ReplyOutcome outcome;
    if (!AskForShot(game, outcome)) return;
    const records::DeliveryFacts facts =
        records::NextDeliveryFacts(game.flow, outcome.text, outcome.shot, outcome.elapsedMs);
    const game::DeliveryResult delivery =
        game::SimulateShot(game.flow, outcome.shot, game.settings.noise);
    Record(game, records::DeliveryLine(facts, delivery));
    if (game.watcher) game.watcher(facts);
    if (delivery.endClosed) BookEnd(game, delivery.after, delivery.endScoreA, status);
  }
  game.result.draw = status == game::GameStatus::kDrawn;
  game.result.winner = status == game::GameStatus::kDrawn ? -1 : game::Leader(game.flow.score);
}

}  // namespace

bool RefereeGame(const game::GameSettings& settings, const DeliveryWatcher& watcher,
                 game::PlayedGame& played, std::string& error) {
  played = game::PlayedGame{};
  game::GameResult& result = played.result;
  result.gameNumber = settings.gameNumber;
  result.names[0] = settings.players[0].name;
  result.names[1] = settings.players[1].name;
  result.recordPath = Path(settings, records::RecordName(settings.gameNumber));

  Game game(settings, watcher, played);
  game::StartGame(game.flow, settings.ends, settings.hammerPlayer, settings.seed);
  if (!records::OpenRecord(result.recordPath, game.record, error)) return false;
  Record(game, records::HeaderLine(settings, game.flow));

  if (StartEngines(game)) PlayEnds(game);
  for (int p = 0; p < 2; ++p) {
    if (game.started[p]) engines::StopEngine(game.engines[p]);
    records::RemoveIfEmpty(Path(settings, records::ErrorLogName(settings.gameNumber, p)));
  }

  result.score = game.flow.score;
  Record(game, records::ResultLine(result));
  records::CloseRecord(game.record);
  if (game.recordFailed) {
    error = "cannot write " + result.recordPath;
    return false;
  }
  return true;
}

bool PlayGame(const game::GameSettings& settings, game::GameResult& result, std::string& error,
              reports::HammerWinChanceFn winChance) {
  game::PlayedGame game;
  const int number = settings.gameNumber;
  const bool recorded = RefereeGame(
      settings,
      [number](const records::DeliveryFacts& delivery) {
        platform::WriteProgressLine(reports::DeliveryProgress(number, delivery));
      },
      game, error);
  if (recorded) HandToOutputs(game, GameFileOutputs(winChance));
  result = game.result;
  return recorded;
}

}  // namespace match
