#include "match/options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "match/engines/reply_scan.h"
#include "match/game/game_flow.h"

namespace {

// Beyond this an Elo hypothesis means a certain result.
constexpr double kMaxSprtElo = 1000.0;

// A figure of the usage text and the messages, as short as it reads: "0.3", "8".
std::string Figure(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

bool ReadInteger(const std::string& text, long long low, long long high, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && end == text.c_str() + text.size() && value >= low && value <= high;
}

bool ReadUnsigned64(const std::string& text, uint64_t& value) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(text.c_str(), &end, 10);
  return errno == 0 && end == text.c_str() + text.size();
}

bool ReadSeconds(const std::string& text, double low, double high, int64_t& milliseconds) {
  if (text.empty()) return false;
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(seconds) || seconds < low ||
      seconds > high) {
    return false;
  }
  milliseconds = static_cast<int64_t>(std::llround(seconds * 1000.0));
  return milliseconds > 0;
}

bool ReadReal(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

// "K/N" with 1 <= K <= N.
bool ReadShard(const std::string& text, int& shard, int& shards) {
  const size_t slash = text.find('/');
  long long k = 0;
  long long n = 0;
  if (slash == std::string::npos || !ReadInteger(text.substr(0, slash), 1, 1000000, k) ||
      !ReadInteger(text.substr(slash + 1), 1, 1000000, n) || k > n) {
    return false;
  }
  shard = static_cast<int>(k);
  shards = static_cast<int>(n);
  return true;
}

bool Apply(const std::string& name, const std::string& value, MatchOptions& options,
           std::string& error) {
  long long number = 0;
  bool ok = true;
  if (name == "--games") {
    ok = ReadInteger(value, 1, 1000000, number);
    options.games = static_cast<int>(number);
  } else if (name == "--concurrency") {
    ok = ReadInteger(value, 1, kMaxConcurrency, number);
    options.concurrency = static_cast<int>(number);
  } else if (name == "--ends") {
    ok = ReadInteger(value, 1, kMaxEnds, number);
    options.ends = static_cast<int>(number);
    options.endsGiven = true;
  } else if (name == "--noise") {
    char* end = nullptr;
    const double noise = std::strtod(value.c_str(), &end);
    ok = !value.empty() && end == value.c_str() + value.size() && std::isfinite(noise) &&
         noise >= 0.0 && noise <= kMaxNoise;
    options.noise = static_cast<float>(noise);
  } else if (name == "--seed") {
    ok = ReadUnsigned64(value, options.seed);
    options.seedGiven = true;
  } else if (name == "--hammer") {
    ok = ReadInteger(value, 1, 2, number);
    options.hammerPlayer = static_cast<int>(number) - 1;
  } else if (name == "--move-time") {
    ok = ReadSeconds(value, 0.001, 3600.0, options.moveTimeMs);
  } else if (name == "--game-time") {
    ok = ReadSeconds(value, 0.001, 360000.0, options.gameTimeMs);
  } else if (name == "--out") {
    ok = !value.empty();
    options.outputDirectory = value;
  } else if (name == "--name1" || name == "--name2") {
    ok = !value.empty();
    options.names[name == "--name1" ? 0 : 1] = value;
  } else if (name == "--alpha" || name == "--beta") {
    double& probability =
        name == "--alpha" ? options.sprtSettings.alpha : options.sprtSettings.beta;
    ok = ReadReal(value, probability) && probability > 0.0 && probability < 0.5;
  } else if (name == "--shard") {
    ok = ReadShard(value, options.shard, options.shards);
  } else if (name == "--replay") {
    ok = !value.empty();
    options.mode = RunMode::kReplay;
    options.replayPath = value;
  }
  if (!ok) {
    error = "invalid value '" + value + "' for " + name;
    if (name == "--games") error += " (a whole number from 1)";
    if (name == "--concurrency") error += " (1 to " + std::to_string(kMaxConcurrency) + ")";
    if (name == "--ends")
      error += " (1 to " + std::to_string(kMaxEnds) + ": a game holds at most ten ends)";
    if (name == "--noise") error += " (0 to " + Figure(kMaxNoise) + ")";
    if (name == "--seed") error += " (a whole number from 0 to 2^64-1)";
    if (name == "--hammer") error += " (1 or 2)";
    if (name == "--move-time" || name == "--game-time") error += " (seconds, above 0)";
    if (name == "--alpha" || name == "--beta") error += " (a probability above 0 and below 0.5)";
    if (name == "--shard") error += " (K/N: share K of N, 1 <= K <= N)";
  }
  return ok;
}

bool ReadSprt(const std::string& low, const std::string& high, MatchOptions& options,
              std::string& error) {
  SprtSettings& settings = options.sprtSettings;
  if (!ReadReal(low, settings.elo0) || !ReadReal(high, settings.elo1) ||
      std::fabs(settings.elo0) > kMaxSprtElo || std::fabs(settings.elo1) > kMaxSprtElo) {
    error = "invalid values '" + low + " " + high + "' for --sprt (two Elo differences, at most " +
            std::to_string(static_cast<int>(kMaxSprtElo)) + " each way)";
    return false;
  }
  if (settings.elo0 >= settings.elo1) {
    error = "--sprt ELO0 ELO1 needs ELO0 below ELO1 (got " + low + " and " + high + ")";
    return false;
  }
  options.sprt = true;
  return true;
}

// Options that make no sense together, once all are read.
bool CheckCombinations(const MatchOptions& options, const std::vector<std::string>& given,
                       std::string& error) {
  const auto was = [&given](std::string_view name) {
    return std::find(given.begin(), given.end(), name) != given.end();
  };
  if ((was("--alpha") || was("--beta")) && !options.sprt) {
    error = "--alpha and --beta go with --sprt";
    return false;
  }
  if (options.mode == RunMode::kMerge) {
    for (const std::string& option : given) {
      if (option != "--out" && option != "--sprt" && option != "--alpha" && option != "--beta") {
        error = "--merge reads finished records: " + option + " does not apply";
        return false;
      }
    }
    return true;
  }
  if (was("--shard")) {
    if (!options.seedGiven) {
      error = "--shard needs --seed, so that every shard plays the same match";
      return false;
    }
    if (options.sprt) {
      error = "--sprt cannot stop a match split in shards; give it to --merge instead";
      return false;
    }
  }
  return true;
}

// The modes and the engine commands or directories, once the options are read.
bool ChooseMode(bool demo, bool merge, const std::vector<std::string>& positional,
                const std::vector<std::string>& given, MatchOptions& options, std::string& error) {
  if (merge) {
    if (options.mode == RunMode::kReplay || demo) {
      error = "--merge cannot go with --replay or --demo";
      return false;
    }
    if (positional.empty()) {
      error = "--merge needs the output directories to merge";
      return false;
    }
    options.mode = RunMode::kMerge;
    options.mergeDirectories = positional;
    return CheckCombinations(options, given, error);
  }
  if (options.mode == RunMode::kReplay) {
    if (demo || !positional.empty()) {
      error = "--replay takes a record and nothing else";
      return false;
    }
    return true;
  }
  if (demo) {
    if (!positional.empty()) {
      error = "--demo chooses its own engines; give no engine commands";
      return false;
    }
    options.mode = RunMode::kDemo;
    return CheckCombinations(options, given, error);
  }
  if (positional.size() != 2) {
    error =
        positional.empty() ? "give the two engine commands" : "give exactly two engine commands";
    return false;
  }
  options.commands[0] = positional[0];
  options.commands[1] = positional[1];
  return CheckCombinations(options, given, error);
}

}  // namespace

bool ParseOptions(int argc, const char* const* argv, MatchOptions& options, std::string& error) {
  CLI::App app("", "curling-match");
  app.set_help_flag("-h,--help");
  // Values are read as given and checked here, in base 10 and with the
  // reasons users know; an option given twice takes its last value.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  // Each with the name its value has in the usage text.
  constexpr std::pair<const char*, const char*> kValued[] = {
      {"--games", "N"}, {"--concurrency", "K"}, {"--ends", "N"},        {"--noise", "X"},
      {"--seed", "S"},  {"--hammer", "1|2"},    {"--move-time", "SEC"}, {"--game-time", "SEC"},
      {"--out", "DIR"}, {"--name1", "NAME"},    {"--name2", "NAME"},    {"--replay", "RECORD"},
      {"--alpha", "A"}, {"--beta", "B"},        {"--shard", "K/N"}};
  std::vector<std::string> values(std::size(kValued));
  std::vector<const CLI::Option*> valued;
  for (size_t i = 0; i < std::size(kValued); ++i) {
    valued.push_back(app.add_option(kValued[i].first, values[i])->type_name(kValued[i].second));
  }
  // Two values, either of which may be negative.
  std::vector<std::string> sprt;
  CLI::Option* sprtOption =
      app.add_option("--sprt", sprt)->expected(2)->allow_extra_args(false)->type_name("ELO0 ELO1");
  bool demo = false;
  bool merge = false;
  bool noPairs = false;
  app.add_flag("--demo", demo);
  app.add_flag("--merge", merge);
  CLI::Option* noPairsOption = app.add_flag("--no-pairs", noPairs);
  std::vector<std::string> positional;
  app.add_option("commands", positional);

  // The library reads its arguments from the back.
  std::vector<std::string> arguments(argv, argv + argc);
  std::reverse(arguments.begin(), arguments.end());
  try {
    app.parse(arguments);
  } catch (const CLI::CallForHelp&) {
    options.mode = RunMode::kHelp;
    return true;
  } catch (const CLI::ParseError& failure) {
    error = failure.what();
    return false;
  }
  if (sprtOption->count() > 0 && sprt.size() != 2) {
    error = "--sprt needs two values: ELO0 ELO1";
    return false;
  }

  // The options in the order given, so that the first bad one is reported.
  std::vector<std::string> given;
  for (const CLI::Option* option : app.parse_order()) {
    const std::string name = option->get_name();
    if (std::find(given.begin(), given.end(), name) != given.end()) continue;
    const auto at = std::find(valued.begin(), valued.end(), option);
    if (at != valued.end()) {
      const size_t i = static_cast<size_t>(at - valued.begin());
      if (!Apply(name, values[i], options, error)) return false;
    } else if (option == noPairsOption) {
      options.paired = !noPairs;
    } else if (option == sprtOption) {
      if (!ReadSprt(sprt[0], sprt[1], options, error)) return false;
    } else {
      continue;
    }
    given.push_back(name);
  }
  return ChooseMode(demo, merge, positional, given, options, error);
}

// The usage text gives one default for both error rates.
static_assert(SprtSettings{}.alpha == SprtSettings{}.beta);

std::string UsageText() {
  return R"(usage: curling-match [options] ENGINE1 ENGINE2
       curling-match --demo [options]
       curling-match --replay RECORD
       curling-match --merge [--out DIR] [--sprt ELO0 ELO1 ...] DIR...

Plays games of curling between two engines that speak the text protocol
(NEWGAME, ISREADY, POSITION, SETSTATE, GO). Each ENGINE is a command line,
quoted as one argument: the program, then its arguments ('...' and "..."
group words). The referee executes every shot with the physics library.

options:
  --games N         games to play (default 1); the hammer of the first end
                    alternates from game to game. Games 2k-1 and 2k form
                    pair k: one seed, the sides swapped
  --no-pairs        every game a seed of its own, statistics from single games
  --concurrency K   games played at once (default 1, at most )" +
         std::to_string(kMaxConcurrency) + R"()
  --ends N          regular ends per game (default )" +
         std::to_string(kDefaultEnds) + ", at most " + std::to_string(kMaxEnds) + R"(); a tie
                    goes to extra ends, up to ten ends in all, then a draw
  --noise X         execution error of every shot (default )" +
         Figure(kDefaultNoise) + R"(; 0 = none)
  --seed S          seed of the execution error: the same seed and the same
                    replies give the same game (default: a fresh seed,
                    written in each record). Pair k (or game k, with
                    --no-pairs) has seed S+k-1
  --hammer 1|2      player with the hammer in the first end of game 1
                    (default )" +
         std::to_string(kDefaultHammerPlayer + 1) + R"(: player 1 delivers the first stone)
  --move-time SEC   time for each reply, READYOK included (default )" +
         Figure(static_cast<double>(kDefaultMoveTimeMs) / 1000.0) + R"()
  --game-time SEC   total time per player per game (default: no limit)
  --out DIR         directory for records, pictures and engine error logs
                    (default match-output)
  --name1 NAME, --name2 NAME
                    names of the players (default: their program names)
  --sprt ELO0 ELO1  stop as soon as the sequential probability ratio test on
                    the pairs accepts "player 1 is ELO0 stronger" (H0) or
                    "ELO1 stronger" (H1); ELO0 below ELO1. Games running then
                    are finished and counted; --games stays the limit
  --alpha A, --beta B
                    the test's error rates (default )" +
         Figure(SprtSettings{}.alpha) + R"( each)
  --shard K/N       play only share K of N of the games (pairs dealt in turn,
                    each with the seed it has in the whole match); needs --seed
  --merge DIR...    the summary of a match from the records of several output
                    directories (shards, say), written to --out
  --demo            the stronger search (curling-engine-strong, one second a
                    move) against the greedy opponent over two ends, both
                    taken from beside this program
  --replay RECORD   re-execute a game record and check every position
  --help            this text

An engine loses the game when it does not start, crashes, runs out of time,
or replies with anything but "READYOK" or a legal "BESTSHOT vx vy spin"
(numbers, finite, release speed at most )" +
         Figure(kMaxLegalReleaseSpeed) + R"( m/s, spin 0 or 1).

Output: the scoreboard of each game and the summary on standard output,
one progress line per delivery and per game on standard error (a single
live status line instead of the delivery lines when standard error is a
terminal), and in DIR the records (game-NNN.jsonl), one picture per end
(game-NNN-end-E.svg) and summary.json.

Run again with the same options and --out, a match plays only the games that
have no complete record (after Ctrl-C, say), with the seeds they would have
had, and sums up all of them.

Exit status: 0 when the match ran, 1 when a file could not be written or a
replay disagreed, 2 for bad options or records of another match, 128+N after
signal N.
)";
}
