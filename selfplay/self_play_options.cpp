#include "selfplay/self_play_options.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "command_line/option_table.h"
#include "match/game/game_flow.h"
#include "match/game/game_settings.h"
#include "search/simulate_shot.h"

namespace selfplay {

namespace {

constexpr const char* kPlayers =
    "greedy, random, tee, reference[:time=MS],\n"
    "strong[:samples=N][:time=MS][:eval=E][:from=K][:foresight],\n"
    "phase@K/FIRST/THEN";

// A player, checked when read.
command_line::Option PlayerOption(const char* name, PlayerChoice& choice, const char* help) {
  return command_line::Custom(
             name, "PLAYER",
             [&choice](const std::vector<std::string>& texts, std::string& reason) {
               return ParsePlayerChoice(texts[0], choice, reason);
             },
             help)
      .Required();
}

// The options a data run and a match share.
std::vector<command_line::Option> RunOptions(RunSettings& settings, int& threads) {
  return {
      command_line::WholeNumber("--games", "N", 1, kMostGames, settings.games,
                                "games to play, {low} to {high}")
          .Required(),
      PlayerOption("--player1", settings.players[0], "player 1"),
      PlayerOption("--player2", settings.players[1], "player 2"),
      command_line::WholeNumber("--ends", "N", 1, match::game::kMaxEnds, settings.ends,
                                "regular ends of a game (default {default})"),
      command_line::RealNumber(
          "--noise", "X", {0.0, match::game::kMaxNoise}, settings.noise,
          "execution error of every delivery, {low} to {high} (default {default})"),
      command_line::WholeNumber("--seed", "S", 0, command_line::kLargestWholeNumber, settings.seed,
                                "the run's seed: games, players, exploration (default {default})"),
      command_line::WholeNumber("--threads", "K", 1, 256, threads,
                                "games played at once, {low} to {high} (default {default})"),
  };
}

bool ReadSprt(const std::string& text, match::reports::SprtSettings& sprt) {
  double values[4] = {0.0, 0.0, 0.05, 0.05};
  int count = 0;
  for (size_t start = 0;;) {
    if (count == 4) return false;  // a fifth value
    const size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma - start);
    if (!command_line::ReadRealNumber(part, values[count++])) return false;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if ((count != 2 && count != 4) || values[0] >= values[1] || values[2] <= 0.0 ||
      values[2] >= 0.5 || values[3] <= 0.0 || values[3] >= 0.5) {
    return false;
  }
  sprt = match::reports::SprtSettings{values[0], values[1], values[2], values[3]};
  return true;
}

// A foreseeing player foresees the search's noise: at another noise what it
// foresees is not what the game does.
bool ForeseesWrongly(const RunSettings& settings) {
  const auto foresees = [](const PlayerChoice& choice, const auto& self) -> bool {
    if (choice.kind == PlayerKind::kPhase) {
      return self(*choice.first, self) || self(*choice.then, self);
    }
    return choice.foresight;
  };
  return settings.noise != search::kSimulationNoise &&
         (foresees(settings.players[0], foresees) || foresees(settings.players[1], foresees));
}

struct Command {
  SelfPlayCommand command;
  const char* name;
  const char* about;
};

constexpr Command kCommands[] = {
    {SelfPlayCommand::kData, "data",
     "write the position before every delivery of paired games to a file"},
    {SelfPlayCommand::kMatch, "match", "play paired games and report player 1 against player 2"},
    {SelfPlayCommand::kMerge, "merge",
     "write the complete shard files of one run as the one file of the run"},
    {SelfPlayCommand::kRegret, "regret",
     "measure, by shot number, what the greedy and strong picks lose against\n"
     "the best candidate"},
};

command_line::OptionTable CommandTable(SelfPlayCommand command, SelfPlayOptions& options) {
  command_line::OptionTable table;
  table.helpColumn = 20;
  switch (command) {
    case SelfPlayCommand::kData: {
      DataRun& data = options.data;
      data.settings.explore = 0.1f;
      table.options = RunOptions(data.settings, data.threads);
      table.options.push_back(
          command_line::RealNumber("--explore", "P", {0.0, 1.0}, data.settings.explore,
                                   "chance that a delivery before an end's last two stones is a\n"
                                   "candidate shot picked at random (default {default})"));
      table.options.push_back(
          command_line::Share("--shard", data.settings.shard, data.settings.shards,
                              "play only share K of N of the games (pairs dealt in turn)"));
      table.options.push_back(command_line::Text("--out", "FILE", data.out,
                                                 "the data file; an unfinished one is resumed")
                                  .Required());
      break;
    }
    case SelfPlayCommand::kMatch: {
      MatchRun& match = options.match;
      match.settings.ends = 2;
      table.options = RunOptions(match.settings, match.threads);
      table.options.push_back(
          command_line::Custom(
              "--sprt", "ELO0,ELO1[,ALPHA,BETA]",
              [&match](const std::vector<std::string>& texts, std::string&) {
                return match.sprt = ReadSprt(texts[0], match.sprtSettings);
              },
              "stop once the sequential test decides between Elo ELO0 and\n"
              "ELO1 (error rates ALPHA and BETA, 0.05 by default)")
              .Reason("ELO0,ELO1[,ALPHA,BETA] with ELO0 < ELO1 and 0 < ALPHA, BETA < 0.5"));
      table.options.push_back(command_line::Text("--json", "FILE", match.jsonPath,
                                                 "the same figures as JSON, to this file"));
      break;
    }
    case SelfPlayCommand::kMerge:
      table.positionals = &options.mergeInputs;
      table.positionalName = "SHARD...";
      table.fewestPositionals = 1;
      table.options = {
          command_line::Text("--out", "FILE", options.mergeOut, "the merged file").Required()};
      break;
    case SelfPlayCommand::kRegret: {
      RegretRun& regret = options.regret;
      table.options = {
          command_line::Text("--data", "FILE", regret.data, "a self-play data file").Required(),
          command_line::WholeNumber("--positions", "N", 1, 1000000, regret.positions,
                                    "positions, spread over shot numbers, {low} to {high}")
              .Required(),
          command_line::WholeNumber(
              "--seed", "S", 0, command_line::kLargestWholeNumber, regret.seed,
              "picks the positions and seeds the executions (default {default})"),
          command_line::WholeNumber("--executions", "N", 1, 100000, regret.executions,
                                    "noisy executions valuing each candidate, {low} to {high}\n"
                                    "(default {default})"),
          command_line::WholeNumber("--samples", "N", 1, 100000000, regret.samples,
                                    "the strong search's samples a decision, {low} to {high}\n"
                                    "(default {default})"),
          command_line::WholeNumber(
              "--threads", "K", 1, 256, regret.threads,
              "positions measured at once, {low} to {high} (default {default})"),
          command_line::Text("--json", "FILE", regret.jsonPath,
                             "the same figures as JSON, to this file"),
      };
      break;
    }
  }
  return table;
}

void PrintUsage() {
  std::printf(
      "usage: curling-selfplay COMMAND [options]\n"
      "\n"
      "Plays games between players in this process, for self-play data and for\n"
      "measuring strength.\n"
      "\n"
      "commands:\n");
  for (const Command& command : kCommands) {
    std::string about = command.about;
    for (size_t at = about.find('\n'); at != std::string::npos; at = about.find('\n', at)) {
      about.insert(at + 1, 10, ' ');
      at += 11;
    }
    std::printf("  %-7s %s\n", command.name, about.c_str());
  }
  std::printf(
      "\n"
      "curling-selfplay COMMAND --help shows the command's options.\n"
      "\n"
      "Exit status: 0 when the command ran, 1 when a file could not be read or\n"
      "written, 2 for a bad command line.\n");
}

void PrintCommandUsage(const Command& command, const command_line::OptionTable& table) {
  const std::string head = std::string("usage: curling-selfplay ") + command.name + " ";
  std::string about = command.about;
  about[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(about[0])));
  std::printf("%s%s\n\n%s.\n\noptions:\n%s", head.c_str(),
              command_line::Synopsis(table, head.size(), 7, 80).c_str(), about.c_str(),
              command_line::OptionsHelp(table).c_str());
  const bool players =
      std::any_of(table.options.begin(), table.options.end(),
                  [](const command_line::Option& option) { return option.valueName == "PLAYER"; });
  if (players) {
    std::string list = kPlayers;
    for (size_t at = list.find('\n'); at != std::string::npos; at = list.find('\n', at)) {
      list.insert(at + 1, 2, ' ');
      at += 3;
    }
    std::printf("\nPLAYER is one of\n  %s\n", list.c_str());
  }
}

}  // namespace

int ParseSelfPlayOptions(int argc, const char* const* argv, SelfPlayOptions& options) {
  const std::string name = argc > 1 ? argv[1] : "";
  if (name == "--help" || name == "-h") {
    PrintUsage();
    return 0;
  }
  const Command* command = nullptr;
  for (const Command& candidate : kCommands) {
    if (name == candidate.name) command = &candidate;
  }
  if (command == nullptr) {
    if (name.empty()) {
      std::fprintf(stderr,
                   "curling-selfplay: a command is required (data, match, merge or regret)\n");
    } else {
      std::fprintf(stderr,
                   "curling-selfplay: unknown command '%s' (data, match, merge or regret)\n",
                   name.c_str());
    }
    return 2;
  }
  options.command = command->command;
  const command_line::OptionTable table = CommandTable(command->command, options);
  command_line::ParsedCommandLine parsed;
  std::string error;
  if (!command_line::ParseCommandLine(table, argc - 2, argv + 2, parsed, error)) {
    std::fprintf(stderr,
                 "curling-selfplay %s: %s\n(curling-selfplay %s --help shows the options)\n",
                 command->name, error.c_str(), command->name);
    return 2;
  }
  if (parsed.help) {
    PrintCommandUsage(*command, table);
    return 0;
  }
  const RunSettings* run = options.command == SelfPlayCommand::kData    ? &options.data.settings
                           : options.command == SelfPlayCommand::kMatch ? &options.match.settings
                                                                        : nullptr;
  if (run != nullptr && ForeseesWrongly(*run)) {
    std::fprintf(stderr,
                 "curling-selfplay: a foresight player needs --noise %g, the noise it "
                 "foresees\n",
                 static_cast<double>(search::kSimulationNoise));
    return 2;
  }
  return -1;
}

}  // namespace selfplay
