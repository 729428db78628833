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

namespace {

struct Game {
  Game(const GameSettings& gameSettings, const DeliveryWatcher& deliveryWatcher,
       PlayedGame& playedGame)
      : settings(gameSettings),
        watcher(deliveryWatcher),
        played(playedGame),
        result(playedGame.result) {}
  const GameSettings& settings;
  const DeliveryWatcher& watcher;
  PlayedGame& played;
  GameResult& result;
  GameFlow flow;
  RecordFile record;
  EngineConnection engines[2];
  bool started[2] = {false, false};
  int64_t usedMs[2] = {0, 0};
  bool recordFailed = false;
};

std::string Path(const GameSettings& settings, const std::string& name) {
  return settings.outputDirectory.empty() ? name : settings.outputDirectory + "/" + name;
}

void Record(Game& game, const std::string& line) {
  if (!WriteRecordLine(game.record, line)) game.recordFailed = true;
}

void Lose(Game& game, int player, const ReplyOutcome& outcome) {
  GameResult& result = game.result;
  result.fault = outcome.fault;
  result.detail = outcome.detail;
  result.faultReply = outcome.text;
  if (outcome.fault == Fault::kInterrupted) return;  // nobody lost: the runner stopped
  result.faultPlayer = player;
  result.winner = player == kBothPlayers ? -1 : 1 - player;
}

// Starts both engines and waits for both to be ready. False when the game
// is over before its first stone.
bool StartEngines(Game& game) {
  ReplyOutcome outcomes[2];
  int64_t sentAt[2] = {0, 0};
  for (int p = 0; p < 2; ++p) {
    const PlayerSpec& player = game.settings.players[p];
    std::string reason;
    const std::string log = Path(game.settings, ErrorLogName(game.settings.gameNumber, p));
    game.started[p] = StartEngine(player.words, log, game.engines[p], reason);
    if (!game.started[p]) {
      outcomes[p].fault = InterruptSignal() != 0 ? Fault::kInterrupted : Fault::kNoStart;
      outcomes[p].detail = reason;
      continue;
    }
    // Both start up at the same time; each has its own move time for it.
    if (SendCommand(game.engines[p], "NEWGAME") < 0 ||
        (sentAt[p] = SendCommand(game.engines[p], "ISREADY")) < 0) {
      outcomes[p] = LostEngine(game.engines[p]);
    }
  }
  for (int p = 0; p < 2; ++p) {
    if (!game.started[p] || outcomes[p].fault != Fault::kNone) continue;
    outcomes[p] = AwaitReady(game.engines[p], sentAt[p], sentAt[p] + game.settings.moveTimeMs);
    if (outcomes[p].fault == Fault::kTime) outcomes[p].detail = "no READYOK: " + outcomes[p].detail;
  }
  const bool failed[2] = {outcomes[0].fault != Fault::kNone, outcomes[1].fault != Fault::kNone};
  if (!failed[0] && !failed[1]) return true;
  if (failed[0] && failed[1]) {
    ReplyOutcome both = outcomes[0];
    both.detail = "player 1: " + outcomes[0].detail + "; player 2: " + outcomes[1].detail;
    if (outcomes[1].fault == Fault::kInterrupted) both.fault = Fault::kInterrupted;
    Lose(game, kBothPlayers, both);
  } else {
    const int p = failed[0] ? 0 : 1;
    Lose(game, p, outcomes[p]);
  }
  return false;
}

// Asks the player to deliver for a shot. A fault ends the game.
bool AskForShot(Game& game, ReplyOutcome& outcome) {
  const int player = PlayerToDeliver(game.flow);
  EngineConnection& engine = game.engines[player];
  int64_t sentAt = -1;
  if (SendCommand(engine, PositionCommand(game.flow)) < 0 ||
      SendCommand(engine, SetStateCommand(game.flow)) < 0 ||
      (sentAt = SendCommand(engine, "GO")) < 0) {
    outcome = LostEngine(engine);
    Lose(game, player, outcome);
    return false;
  }
  int64_t limit = game.settings.moveTimeMs;
  if (game.settings.gameTimeMs > 0) {
    limit = std::min(limit, game.settings.gameTimeMs - game.usedMs[player]);
  }
  outcome = AwaitShot(engine, sentAt, sentAt + std::max<int64_t>(limit, 0));
  game.usedMs[player] += outcome.elapsedMs;
  if (outcome.fault == Fault::kNone) return true;
  if (outcome.fault == Fault::kTime && limit < game.settings.moveTimeMs) {
    outcome.detail = "game time used up: " + outcome.detail;
  }
  Lose(game, player, outcome);
  return false;
}

void BookEnd(Game& game, const GameState& finalPosition, int endScoreA, GameStatus& status) {
  status = FinishEnd(game.flow, endScoreA);
  game.played.endPositions.push_back(finalPosition);
  const int end = game.flow.score.endsPlayed - 1;
  Record(game, EndLine(game.flow, endScoreA, EndPictureName(game.settings.gameNumber, end)));
}

void PlayEnds(Game& game) {
  GameStatus status = GameStatus::kContinue;
  while (status == GameStatus::kContinue) {
    ReplyOutcome outcome;
    if (!AskForShot(game, outcome)) return;
    const DeliveryFacts facts =
        NextDeliveryFacts(game.flow, outcome.text, outcome.shot, outcome.elapsedMs);
    const DeliveryResult delivery = SimulateShot(game.flow, outcome.shot, game.settings.noise);
    Record(game, DeliveryLine(facts, delivery));
    if (game.watcher) game.watcher(facts);
    if (delivery.endClosed) BookEnd(game, delivery.after, delivery.endScoreA, status);
  }
  game.result.draw = status == GameStatus::kDrawn;
  game.result.winner = status == GameStatus::kDrawn ? -1 : Leader(game.flow.score);
}

}  // namespace

bool RefereeGame(const GameSettings& settings, const DeliveryWatcher& watcher, PlayedGame& played,
                 std::string& error) {
  played = PlayedGame{};
  GameResult& result = played.result;
  result.gameNumber = settings.gameNumber;
  result.names[0] = settings.players[0].name;
  result.names[1] = settings.players[1].name;
  result.recordPath = Path(settings, RecordName(settings.gameNumber));

  Game game(settings, watcher, played);
  StartGame(game.flow, settings.ends, settings.hammerPlayer, settings.seed);
  if (!OpenRecord(result.recordPath, game.record, error)) return false;
  Record(game, HeaderLine(settings, game.flow));

  if (StartEngines(game)) PlayEnds(game);
  for (int p = 0; p < 2; ++p) {
    if (game.started[p]) StopEngine(game.engines[p]);
    RemoveIfEmpty(Path(settings, ErrorLogName(settings.gameNumber, p)));
  }

  result.score = game.flow.score;
  Record(game, ResultLine(result));
  CloseRecord(game.record);
  if (game.recordFailed) {
    error = "cannot write " + result.recordPath;
    return false;
  }
  return true;
}

bool PlayGame(const GameSettings& settings, GameResult& result, std::string& error,
              HammerWinChanceFn winChance) {
  PlayedGame game;
  const int number = settings.gameNumber;
  const bool recorded = RefereeGame(
      settings,
      [number](const DeliveryFacts& delivery) {
        WriteProgressLine(DeliveryProgress(number, delivery));
      },
      game, error);
  if (recorded) HandToOutputs(game, GameFileOutputs(winChance));
  result = game.result;
  return recorded;
}
