#include "match/options.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "command_line/option_table.h"
#include "match/engines/reply_scan.h"
#include "match/game/game_flow.h"

namespace match {

namespace {

// Beyond this an Elo hypothesis means a certain result.
constexpr double kMaxSprtElo = 1000.0;

// Seconds from `low` to `high`, as whole milliseconds above 0.
command_line::ValueReader SecondsReader(double low, double high, int64_t& milliseconds) {
  return [low, high, &milliseconds](const std::vector<std::string>& texts, std::string&) {
    double seconds = 0.0;
    if (!command_line::ReadRealNumber(texts[0], seconds) || seconds < low || seconds > high)
      return false;
    const auto read = static_cast<int64_t>(std::llround(seconds * 1000.0));
    if (read <= 0) return false;
    milliseconds = read;
    return true;
  };
}

// Two Elo differences, ELO0 below ELO1.
bool ReadSprt(const std::vector<std::string>& texts, MatchOptions& options, std::string& reason) {
  reports::SprtSettings& settings = options.sprtSettings;
  double elo[2] = {0.0, 0.0};
  for (int i = 0; i < 2; ++i) {
    if (!command_line::ReadRealNumber(texts[i], elo[i]) || std::fabs(elo[i]) > kMaxSprtElo)
      return false;
  }
  if (elo[0] >= elo[1]) {
    reason = "ELO0 must be below ELO1";
    return false;
  }
  settings.elo0 = elo[0];
  settings.elo1 = elo[1];
  options.sprt = true;
  return true;
}

// The flags that choose a mode, besides the options' own targets.
struct ModeFlags {
  bool demo = false;
  bool merge = false;
  bool noPairs = false;
};

// The usage text gives one default for both error rates.
static_assert(reports::SprtSettings{}.alpha == reports::SprtSettings{}.beta);

command_line::OptionTable MatchOptionTable(MatchOptions& options, ModeFlags& flags,
                                           std::vector<std::string>& positional) {
  command_line::OptionTable table;
  table.helpColumn = 20;
  table.positionals = &positional;
  table.positionalName = "ENGINE1 ENGINE2";
  const command_line::ValueReader replay = [&options](const std::vector<std::string>& texts,
                                                      std::string&) {
    if (texts[0].empty()) return false;
    options.mode = RunMode::kReplay;
    options.replayPath = texts[0];
    return true;
  };
  const command_line::ValueReader sprt = [&options](const std::vector<std::string>& texts,
                                                    std::string& reason) {
    return ReadSprt(texts, options, reason);
  };
  table.options = {
      command_line::WholeNumber("--games", "N", 1, 1000000, options.games,
                                "games to play (default {default}); the hammer of the first end\n"
                                "alternates from game to game. Games 2k-1 and 2k form\n"
                                "pair k: one seed, the sides swapped"),
      command_line::Flag("--no-pairs", flags.noPairs,
                         "every game a seed of its own, statistics from single games"),
      command_line::WholeNumber("--concurrency", "K", 1, kMaxConcurrency, options.concurrency,
                                "games played at once (default {default}, at most {high})")
          .Reason("{low} to {high}"),
      command_line::WholeNumber("--ends", "N", 1, game::kMaxEnds, options.ends,
                                "regular ends per game (default {default}, at most {high}); a tie\n"
                                "goes to extra ends, up to ten ends in all, then a draw")
          .Reason("{low} to {high}: a game holds at most ten ends")
          .Given(options.endsGiven),
      command_line::RealNumber("--noise", "X", {0.0, game::kMaxNoise}, options.noise,
                               "execution error of every shot (default {default}; 0 = none)"),
      command_line::WholeNumber("--seed", "S", 0, command_line::kLargestWholeNumber, options.seed,
                                "seed of the execution error: the same seed and the same\n"
                                "replies give the same game (default: a fresh seed,\n"
                                "written in each record). Pair k (or game k, with\n"
                                "--no-pairs) has seed S+k-1")
          .Given(options.seedGiven),
      command_line::Choice<int>("--hammer", "1|2", {{"1", 0}, {"2", 1}}, options.hammerPlayer,
                                "player with the hammer in the first end of game 1\n"
                                "(default {default}: player 1 delivers the first stone)"),
      command_line::Custom("--move-time", "SEC", SecondsReader(0.001, 3600.0, options.moveTimeMs),
                           "time for each reply, READYOK included (default {default})")
          .Default(command_line::Figure(static_cast<double>(options.moveTimeMs) / 1000.0))
          .Reason("seconds, above 0"),
      command_line::Custom("--game-time", "SEC", SecondsReader(0.001, 360000.0, options.gameTimeMs),
                           "total time per player per game (default: no limit)")
          .Reason("seconds, above 0"),
      command_line::Text("--out", "DIR", options.outputDirectory,
                         "directory for records, pictures and engine error logs\n"
                         "(default {default})"),
      command_line::Text("--name1", "NAME", options.names[0], ""),
      command_line::Text("--name2", "NAME", options.names[1],
                         "names of the players (default: their program names)"),
      command_line::Custom("--sprt", "ELO0 ELO1", sprt,
                           "stop as soon as the sequential probability ratio test on\n"
                           "the pairs accepts \"player 1 is ELO0 stronger\" (H0) or\n"
                           "\"ELO1 stronger\" (H1); ELO0 below ELO1. Games running then\n"
                           "are finished and counted; --games stays the limit")
          .Takes(2)
          .Reason("two Elo differences, at most " + command_line::Figure(kMaxSprtElo) +
                  " each way"),
      command_line::RealNumber("--alpha", "A", {0.0, 0.5, true}, options.sprtSettings.alpha, "")
          .Reason("a probability above 0 and below 0.5"),
      command_line::RealNumber("--beta", "B", {0.0, 0.5, true}, options.sprtSettings.beta,
                               "the test's error rates (default {default} each)")
          .Reason("a probability above 0 and below 0.5"),
      command_line::Share("--shard", options.shard, options.shards,
                          "play only share K of N of the games (pairs dealt in turn,\n"
                          "each with the seed it has in the whole match); needs --seed"),
      command_line::Flag("--merge", flags.merge,
                         "the summary of a match from the records of several output\n"
                         "directories (shards, say), written to --out")
          .Shows("DIR..."),
      command_line::Flag("--demo", flags.demo,
                         "the stronger search (curling-engine-strong, one second a\n"
                         "move) against the greedy opponent over two ends, both\n"
                         "taken from beside this program"),
      command_line::Custom("--replay", "RECORD", replay,
                           "re-execute a game record and check every position"),
  };
  return table;
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
      if (option != "--merge" && option != "--out" && option != "--sprt" && option != "--alpha" &&
          option != "--beta") {
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
  ModeFlags flags;
  std::vector<std::string> positional;
  command_line::ParsedCommandLine parsed;
  if (!command_line::ParseCommandLine(MatchOptionTable(options, flags, positional), argc, argv,
                                      parsed, error)) {
    return false;
  }
  if (parsed.help) {
    options.mode = RunMode::kHelp;
    return true;
  }
  if (parsed.Gave("--no-pairs")) options.paired = false;
  return ChooseMode(flags.demo, flags.merge, positional, parsed.given, options, error);
}

std::string UsageText() {
  MatchOptions options;
  ModeFlags flags;
  std::vector<std::string> positional;
  return R"(usage: curling-match [options] ENGINE1 ENGINE2
       curling-match --demo [options]
       curling-match --replay RECORD
       curling-match --merge [--out DIR] [--sprt ELO0 ELO1 ...] DIR...

Plays games of curling between two engines that speak the text protocol
(NEWGAME, ISREADY, POSITION, SETSTATE, GO). Each ENGINE is a command line,
quoted as one argument: the program, then its arguments ('...' and "..."
group words). The referee executes every shot with the physics library.

options:
)" + command_line::OptionsHelp(MatchOptionTable(options, flags, positional)) +
         R"(
An engine loses the game when it does not start, crashes, runs out of time,
or replies with anything but "READYOK" or a legal "BESTSHOT vx vy spin"
(numbers, finite, release speed at most )" +
         command_line::Figure(engines::kMaxLegalReleaseSpeed) + R"( m/s, spin 0 or 1).

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

}  // namespace match
