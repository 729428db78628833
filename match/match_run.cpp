#include "match/match_run.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "match/engines/command_words.h"
#include "match/platform/console.h"
#include "match/platform/process.h"
#include "match/records/text_file.h"
#include "match/referee.h"
#include "match/reports/scoreboard.h"
#include "match/reports/summary.h"

namespace {

constexpr const char* kDemoEngine = "curling-engine";
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
      std::filesystem::path(ExecutableDirectory()) / "curling-match";
  const std::filesystem::path here = std::filesystem::current_path(error);
  const std::filesystem::path relative = program.lexically_relative(here);
  if (error || relative.empty() || *relative.begin() == "..") return program.string();
  return relative.string();
}

uint64_t FreshSeed() {
  std::random_device device;
  return (static_cast<uint64_t>(device()) << 32) ^ device();
}

struct Match {
  explicit Match(const MatchOptions& matchOptions) : options(matchOptions) {}
  const MatchOptions& options;
  GameSettings base;
  std::atomic<int> nextGame{0};
  std::atomic<bool> failed{false};
  std::mutex resultsMutex;
  std::vector<GameResult> results;  // by game, filled as games end
  std::vector<bool> played;
  std::string error;
};

void PlayGames(Match& match) {
  for (;;) {
    const int index = match.nextGame.fetch_add(1);
    if (index >= match.options.games || match.failed.load() || InterruptSignal() != 0) return;
    GameSettings settings = match.base;
    settings.gameNumber = index + 1;
    // Sides swap from game to game: the hammer of the first end alternates.
    settings.hammerPlayer = (match.options.hammerPlayer + index) % 2;
    settings.seed = match.base.seed + static_cast<uint64_t>(index);
    GameResult result;
    std::string error;
    if (!PlayGame(settings, result, error)) {
      const std::lock_guard<std::mutex> lock(match.resultsMutex);
      match.error = error;
      match.failed.store(true);
      return;
    }
    WriteOutputBlock(FormatScoreboard(result) + "\n");
    const std::lock_guard<std::mutex> lock(match.resultsMutex);
    match.results[static_cast<size_t>(index)] = result;
    match.played[static_cast<size_t>(index)] = true;
  }
}

bool SetUpPlayers(const MatchOptions& options, GameSettings& base) {
  std::string commands[2] = {options.commands[0], options.commands[1]};
  if (options.mode == RunMode::kDemo) {
    const std::string directory = ExecutableDirectory();
    commands[0] = directory + "/" + kDemoEngine;
    commands[1] = directory + "/" + kDemoOpponent;
  }
  for (int p = 0; p < 2; ++p) {
    PlayerSpec& player = base.players[p];
    player.command = commands[p];
    std::string reason;
    if (!SplitCommandWords(commands[p], player.words, reason)) {
      WriteProgressLine("curling-match: engine " + std::to_string(p + 1) + ": " + reason);
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

}  // namespace

int RunMatch(const MatchOptions& options) {
  Match match(options);
  GameSettings& base = match.base;
  if (!SetUpPlayers(options, base)) return 2;
  base.ends = options.mode == RunMode::kDemo && !options.endsGiven ? kDemoEnds : options.ends;
  base.noise = options.noise;
  base.moveTimeMs = options.moveTimeMs;
  base.gameTimeMs = options.gameTimeMs;
  base.seed = options.seedGiven ? options.seed : FreshSeed();
  base.outputDirectory = options.outputDirectory;

  std::error_code fileError;
  std::filesystem::create_directories(options.outputDirectory, fileError);
  if (fileError) {
    WriteProgressLine("curling-match: cannot create " + options.outputDirectory + ": " +
                      fileError.message());
    return 1;
  }

  match.results.resize(static_cast<size_t>(options.games));
  match.played.assign(static_cast<size_t>(options.games), false);
  const int workers = std::min(options.concurrency, options.games);
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(workers));
  for (int w = 0; w < workers; ++w) threads.emplace_back(PlayGames, std::ref(match));
  for (std::thread& thread : threads) thread.join();

  std::vector<GameResult> finished;
  for (size_t g = 0; g < match.results.size(); ++g) {
    if (match.played[g]) finished.push_back(match.results[g]);
  }
  const std::string names[2] = {base.players[0].name, base.players[1].name};
  const MatchSummary summary = Summarise(finished, names);
  const std::string summaryPath = options.outputDirectory + "/summary.json";
  std::string reason;
  const bool summaryWritten = WriteTextFile(summaryPath, FormatSummaryJson(summary), reason);
  if (!summaryWritten) WriteProgressLine("curling-match: " + reason);

  std::string report;
  if (options.games > 1 || summary.unfinished > 0) report += FormatSummaryText(summary) + "\n";
  if (finished.size() == 1) {
    report += "record:   " + finished[0].recordPath + "\n";
    report += "pictures:";
    for (const std::string& picture : finished[0].picturePaths) report += " " + picture;
    report += "\nreplay:   " + RunnerCommand() + " --replay " + finished[0].recordPath + "\n";
  } else {
    report += "records and pictures: " + options.outputDirectory + "/\n";
  }
  report += "summary:  " + summaryPath + "\n";
  WriteOutputBlock(report);

  if (InterruptSignal() != 0) return 128 + InterruptSignal();
  if (match.failed.load()) {
    WriteProgressLine("curling-match: " + match.error);
    return 1;
  }
  return summaryWritten ? 0 : 1;
}
