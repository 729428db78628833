#include "match/match_run.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "match/engines/command_words.h"
#include "match/game_outputs.h"
#include "match/platform/console.h"
#include "match/platform/process.h"
#include "match/records/match_plan.h"
#include "match/records/record_reader.h"
#include "match/records/text_file.h"
#include "match/referee.h"
#include "match/reports/game_page.h"
#include "match/reports/head_to_head.h"
#include "match/reports/live_status.h"
#include "match/reports/progress.h"
#include "match/reports/scoreboard.h"
#include "match/reports/summary.h"

namespace match {

namespace {

// The stronger search at a fifth of its default time, which plays as well
// (docs/strength.md) and keeps a two-end demonstration near a minute, and
// within two even when ties take it to ten ends.
constexpr const char* kDemoEngine = "curling-engine-strong";
constexpr const char* kDemoEngineArguments = " --time-ms 1000";
constexpr const char* kDemoOpponent = "curling-opponent-greedy";
constexpr int kDemoEnds = 2;

std::string ProgramName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// This program as the user can type it here: relative to the working
// directory when it lies below it.
std::string RunnerCommand() {
  std::error_code error;
  const std::filesystem::path program =
      std::filesystem::path(platform::ExecutableDirectory()) / "curling-match";
  const std::filesystem::path here = std::filesystem::current_path(error);
  const std::filesystem::path relative = program.lexically_relative(here);
  if (error || relative.empty() || *relative.begin() == "..") return program.string();
  return relative.string();
}

uint64_t FreshSeed() {
  std::random_device device;
  return (static_cast<uint64_t>(device()) << 32) ^ device();
}

// The context the stages of a run share.
struct Match {
  explicit Match(const MatchOptions& matchOptions) : options(matchOptions) {}
  const MatchOptions& options;
  game::GameSettings base;
  std::vector<GameOutput> outputs;  // what each finished game is handed to
  records::MatchIdentity identity;
  reports::StatisticsSettings statistics;
  std::vector<int> toPlay;  // game numbers still without a complete record
  int shardGames = 0;       // games of this run's share of the match
  int terminalColumns = 0;  // 0: progress lines, not a live status line
  std::atomic<size_t> nextGame{0};
  std::atomic<bool> failed{false};
  std::atomic<bool> stopped{false};  // the SPRT has decided
  std::mutex resultsMutex;
  std::vector<game::GameResult> results;  // finished games, resumed ones included
  std::vector<reports::RunningGame> running;
  std::string error;
};

reports::HeadToHead CurrentHeadToHead(const Match& match) {
  return reports::CountHeadToHead(match.results, match.statistics.paired);
}

// Called with the results locked.
void ShowLiveStatus(const Match& match, const reports::HeadToHead& headToHead,
                    const reports::SprtState* sprt) {
  if (match.terminalColumns == 0) return;
  platform::ShowStatusLine(reports::FormatLiveStatus(static_cast<int>(match.results.size()),
                                                     match.shardGames, match.running, headToHead,
                                                     sprt, match.terminalColumns));
}

void ShowLiveStatus(const Match& match) {
  if (match.terminalColumns == 0) return;
  const reports::HeadToHead headToHead = CurrentHeadToHead(match);
  reports::SprtState sprt;
  if (match.statistics.sprt) {
    sprt = reports::RunSprt(reports::HeadToHeadCounts(headToHead), match.statistics.sprtSettings);
  }
  ShowLiveStatus(match, headToHead, match.statistics.sprt ? &sprt : nullptr);
}

std::string SprtVerdict(const reports::SprtState& state) {
  char text[160];
  std::snprintf(text, sizeof text, "sprt %s accepted: llr=%.2f bounds=%.2f,%.2f",
                reports::SprtDecisionName(state.decision), state.llr, state.lower, state.upper);
  return text;
}

// The match's own output of a finished game: it counts towards the standing
// and the summary, and gets its result line with the standing after it, its
// scoreboard, and the SPRT's verdict when it has one.
void BookGame(Match& match, const game::PlayedGame& game) {
  const game::GameResult& result = game.result;
  const std::lock_guard<std::mutex> lock(match.resultsMutex);
  match.results.push_back(result);
  std::erase_if(match.running, [&result](const reports::RunningGame& game) {
    return game.game == result.gameNumber;
  });
  const reports::HeadToHead headToHead = CurrentHeadToHead(match);
  reports::SprtState sprt;
  if (match.statistics.sprt) {
    sprt = reports::RunSprt(reports::HeadToHeadCounts(headToHead), match.statistics.sprtSettings);
  }
  platform::WriteProgressLine(
      reports::ResultProgress(result) +
      reports::StandingProgress(headToHead, match.statistics.sprt ? &sprt : nullptr));
  platform::WriteOutputBlock(reports::FormatScoreboard(result) + "\n");
  if (sprt.decision != reports::SprtDecision::kContinue && !match.stopped.exchange(true)) {
    platform::WriteProgressLine(SprtVerdict(sprt) + "; finishing the games already running");
  }
  ShowLiveStatus(match, headToHead, match.statistics.sprt ? &sprt : nullptr);
}

game::GameSettings SettingsOf(Match& match, int number) {
  const records::PlannedGame plan = records::PlanGame(match.identity, number);
  game::GameSettings settings = match.base;
  settings.gameNumber = number;
  settings.hammerPlayer = plan.hammerPlayer;
  settings.seed = plan.seed;
  settings.pair = plan.pair;
  return settings;
}

// A progress line per delivery, or on a terminal the live status line.
DeliveryWatcher WatcherOf(Match& match, int number) {
  if (match.terminalColumns == 0) {
    return [number](const records::DeliveryFacts& delivery) {
      platform::WriteProgressLine(reports::DeliveryProgress(number, delivery));
    };
  }
  return [&match, number](const records::DeliveryFacts& delivery) {
    const std::lock_guard<std::mutex> lock(match.resultsMutex);
    for (reports::RunningGame& game : match.running) {
      if (game.game == number) {
        game.end = delivery.before.currentEnd;
        game.shot = delivery.before.shotNumber;
      }
    }
    ShowLiveStatus(match);
  };
}

// One worker: takes the next game to play until none is left or the match
// stops.
void TakeGamesInTurn(Match& match) {
  for (;;) {
    if (match.failed.load() || match.stopped.load() || platform::InterruptSignal() != 0) return;
    const size_t index = match.nextGame.fetch_add(1);
    if (index >= match.toPlay.size()) return;
    const int number = match.toPlay[index];
    if (match.terminalColumns > 0) {
      const std::lock_guard<std::mutex> lock(match.resultsMutex);
      match.running.push_back(reports::RunningGame{number, -1, -1});
      ShowLiveStatus(match);
    }
    game::PlayedGame game;
    std::string error;
    if (!RefereeGame(SettingsOf(match, number), WatcherOf(match, number), game, error)) {
      const std::lock_guard<std::mutex> lock(match.resultsMutex);
      match.error = error;
      match.failed.store(true);
      return;
    }
    HandToOutputs(game, match.outputs);
  }
}

// The records already in the output directory: complete ones of this share
// count and are not played again; any other game of the share is. False
// with the reason when the directory holds another match.
bool TakeExistingRecords(Match& match, std::string& reason) {
  std::vector<records::RecordFileName> files;
  std::string unreadable;
  const std::string& directory = match.options.outputDirectory;
  if (!records::ListGameRecords(directory, files, unreadable)) files.clear();  // nothing there yet
  const std::vector<int> share =
      records::ShardGames(match.identity, match.options.shard, match.options.shards);
  const std::string id = records::MatchId(match.identity);
  std::vector<bool> done(static_cast<size_t>(match.identity.games) + 1, false);
  for (const records::RecordFileName& file : files) {
    const records::RecordedGame recorded = records::ReadGameRecord(file.path);
    const bool ours = std::binary_search(share.begin(), share.end(), file.gameNumber);
    if (recorded.status == records::RecordStatus::kCorrupt) {
      if (ours)
        platform::WriteProgressLine("warning " + file.path + " is replaced: " + recorded.problem);
      continue;
    }
    if (recorded.matchId != id) {
      reason = directory + " holds games of another match (" + file.path + ": match id ";
      reason += recorded.matchId.empty() ? "none" : recorded.matchId;
      reason +=
          ", these options give " + id + "); give the options of that match, or another --out";
      return false;
    }
    if (!ours) continue;
    if (recorded.status == records::RecordStatus::kIncomplete) {
      platform::WriteProgressLine("warning " + file.path + " is replaced: " + recorded.problem);
      continue;
    }
    match.results.push_back(recorded.result);
    done[static_cast<size_t>(file.gameNumber)] = true;
  }
  for (const int number : share) {
    if (!done[static_cast<size_t>(number)]) match.toPlay.push_back(number);
  }
  return true;
}

// Without --seed, a match resumed in its output directory keeps the seed
// its records were played with.
bool RecordedMatchSeed(const std::string& directory, uint64_t& seed) {
  std::vector<records::RecordFileName> files;
  std::string reason;
  if (!records::ListGameRecords(directory, files, reason)) return false;
  for (const records::RecordFileName& file : files) {
    const records::RecordedGame recorded = records::ReadGameRecord(file.path);
    if (recorded.status != records::RecordStatus::kCorrupt && !recorded.matchId.empty()) {
      seed = recorded.matchSeed;
      return true;
    }
  }
  return false;
}

bool SetUpPlayers(const MatchOptions& options, game::GameSettings& base) {
  std::string commands[2] = {options.commands[0], options.commands[1]};
  if (options.mode == RunMode::kDemo) {
    const std::string directory = platform::ExecutableDirectory();
    commands[0] = engines::QuoteCommandWord(directory + "/" + kDemoEngine) + kDemoEngineArguments;
    commands[1] = engines::QuoteCommandWord(directory + "/" + kDemoOpponent);
  }
  for (int p = 0; p < 2; ++p) {
    game::PlayerSpec& player = base.players[p];
    player.command = commands[p];
    std::string reason;
    if (!engines::SplitCommandWords(commands[p], player.words, reason)) {
      platform::WriteProgressLine("curling-match: engine " + std::to_string(p + 1) + ": " + reason);
      return false;
    }
    player.name = options.names[p].empty() ? ProgramName(player.words[0]) : options.names[p];
  }
  if (base.players[0].name == base.players[1].name) {
    base.players[0].name += " (1)";
    base.players[1].name += " (2)";
  }
  return true;
}

// The stages of a run, in order, over one Match.

// The settings every game shares, the match's seed and its identity.
void SetUpMatch(Match& match) {
  const MatchOptions& options = match.options;
  game::GameSettings& base = match.base;
  base.noise = options.noise;
  base.moveTimeMs = options.moveTimeMs;
  base.gameTimeMs = options.gameTimeMs;
  base.outputDirectory = options.outputDirectory;
  uint64_t seed = options.seed;
  if (!options.seedGiven && !RecordedMatchSeed(options.outputDirectory, seed)) seed = FreshSeed();

  records::MatchIdentity& identity = match.identity;
  identity.names[0] = base.players[0].name;
  identity.names[1] = base.players[1].name;
  identity.ends = base.ends;
  identity.noise = base.noise;
  identity.moveTimeMs = base.moveTimeMs;
  identity.gameTimeMs = base.gameTimeMs;
  identity.firstHammer = options.hammerPlayer;
  identity.seed = seed;
  identity.games = options.games;
  identity.paired = options.paired;
  base.matchId = records::MatchId(identity);
  base.matchSeed = seed;
  base.matchGames = options.games;
  base.paired = options.paired;
  match.statistics.paired = options.paired;
  match.statistics.sprt = options.sprt;
  match.statistics.sprtSettings = options.sprtSettings;
  match.shardGames =
      static_cast<int>(records::ShardGames(identity, options.shard, options.shards).size());
}

// The games this run plays: those of its share without a complete record,
// in an output directory cleared of what earlier attempts left of them. The
// exit status when the run cannot go on, else 0.
int PlanGames(Match& match) {
  const std::string& directory = match.options.outputDirectory;
  std::string reason;
  if (!TakeExistingRecords(match, reason)) {
    platform::WriteProgressLine("curling-match: " + reason);
    return 2;
  }
  std::error_code fileError;
  std::filesystem::create_directories(directory, fileError);
  if (fileError) {
    platform::WriteProgressLine("curling-match: cannot create " + directory + ": " +
                                fileError.message());
    return 1;
  }
  if (!match.results.empty()) {
    platform::WriteProgressLine("resume " + std::to_string(match.results.size()) + " of " +
                                std::to_string(match.shardGames) + " games have a record in " +
                                directory + "; playing " + std::to_string(match.toPlay.size()) +
                                " seed=" + std::to_string(match.identity.seed));
  }
  for (const int number : match.toPlay) records::RemoveGameFiles(directory, number);
  return 0;
}

// The recorded games alone may already decide the SPRT.
void StopIfDecided(Match& match) {
  if (!match.statistics.sprt) return;
  const reports::SprtState sprt = reports::RunSprt(
      reports::HeadToHeadCounts(CurrentHeadToHead(match)), match.statistics.sprtSettings);
  if (sprt.decision != reports::SprtDecision::kContinue) {
    match.stopped.store(true);
    platform::WriteProgressLine(SprtVerdict(sprt) + " by the games recorded; none played");
  }
}

// Each finished game goes to its files, then to the match's standing.
void ChooseOutputs(Match& match, reports::HammerWinChanceFn winChance) {
  match.outputs = GameFileOutputs(winChance);
  match.outputs.emplace_back([&match](game::PlayedGame& game) { BookGame(match, game); });
}

// The games, `--concurrency` at a time.
void PlayGames(Match& match) {
  match.terminalColumns = platform::StandardErrorColumns();
  const int workers =
      std::min(match.options.concurrency, std::max<int>(1, static_cast<int>(match.toPlay.size())));
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(workers));
  for (int w = 0; w < workers; ++w) threads.emplace_back(TakeGamesInTurn, std::ref(match));
  for (std::thread& thread : threads) thread.join();
  platform::ShowStatusLine("");
}

// Where the files are, after the summary when there is more than one game.
std::string FinalReport(const Match& match, const std::vector<game::GameResult>& finished,
                        const reports::MatchSummary& summary, const std::string& summaryPath) {
  std::string report;
  if (match.options.games > 1 || summary.unfinished > 0) {
    report += reports::FormatSummaryText(summary) + "\n";
  }
  if (finished.size() == 1 && match.options.games == 1) {
    report += "record:   " + finished[0].recordPath + "\n";
    report += "page:     " + reports::GamePagePath(finished[0].recordPath) + "\n";
    report += "pictures:";
    for (const std::string& picture : finished[0].picturePaths) report += " " + picture;
    report += "\nreplay:   " + RunnerCommand() + " --replay " + finished[0].recordPath + "\n";
  } else {
    report += "records, pages and pictures: " + match.options.outputDirectory + "/\n";
  }
  return report + "summary:  " + summaryPath + "\n";
}

// The summary of every finished game, resumed ones included, on standard
// output and in summary.json; returns the exit status.
int SumUp(Match& match) {
  std::vector<game::GameResult> finished = match.results;
  std::sort(finished.begin(), finished.end(),
            [](const game::GameResult& a, const game::GameResult& b) {
              return a.gameNumber < b.gameNumber;
            });
  const std::string names[2] = {match.base.players[0].name, match.base.players[1].name};
  const reports::MatchSummary summary = reports::Summarise(finished, names, match.statistics);
  const std::string summaryPath = match.options.outputDirectory + "/summary.json";
  std::string reason;
  const bool summaryWritten =
      records::WriteTextFile(summaryPath, reports::FormatSummaryJson(summary), reason);
  if (!summaryWritten) platform::WriteProgressLine("curling-match: " + reason);
  platform::WriteOutputBlock(FinalReport(match, finished, summary, summaryPath));

  if (platform::InterruptSignal() != 0) return 128 + platform::InterruptSignal();
  if (match.failed.load()) {
    platform::WriteProgressLine("curling-match: " + match.error);
    return 1;
  }
  return summaryWritten ? 0 : 1;
}

}  // namespace

int RunMatch(const MatchOptions& options, reports::HammerWinChanceFn winChance) {
  Match match(options);
  game::GameSettings& base = match.base;
  if (!SetUpPlayers(options, base)) return 2;
  base.ends = options.mode == RunMode::kDemo && !options.endsGiven ? kDemoEnds : options.ends;
  SetUpMatch(match);
  if (const int status = PlanGames(match); status != 0) return status;
  StopIfDecided(match);
  ChooseOutputs(match, winChance);
  PlayGames(match);
  return SumUp(match);
}

}  // namespace match
