#include "selfplay/self_play_options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <CLI/CLI.hpp>

#include "match/game/game_flow.h"
#include "match/game/game_settings.h"
#include "search/simulate_shot.h"

namespace {

// The player's options, checked when read, the text kept for the header.
CLI::Option* AddPlayer(CLI::App& app, const char* name, PlayerChoice& choice) {
  return app
      .add_option_function<std::string>(
          name,
          [&choice, name](const std::string& text) {
            std::string error;
            if (!ParsePlayerChoice(text, choice, error)) throw CLI::ValidationError(name, error);
          },
          "greedy, random, tee, reference[:time=MS], "
          "strong[:samples=N][:time=MS][:eval=E][:from=K][:foresight], "
          "phase@K/FIRST/THEN")
      ->required()
      ->type_name("PLAYER");
}

CLI::Option* AddShard(CLI::App& app, RunSettings& settings) {
  return app
      .add_option_function<std::string>(
          "--shard",
          [&settings](const std::string& text) {
            int k = 0;
            int n = 0;
            char tail = 0;
            if (std::sscanf(text.c_str(), "%d/%d%c", &k, &n, &tail) != 2 || k < 1 || k > n) {
              throw CLI::ValidationError("--shard", "K/N with 1 <= K <= N, not '" + text + "'");
            }
            settings.shard = k;
            settings.shards = n;
          },
          "play only share K of N of the games (pairs dealt in turn)")
      ->type_name("K/N");
}

void AddRunOptions(CLI::App& app, RunSettings& settings, int& threads) {
  app.add_option("--games", settings.games, "games to play")
      ->required()
      ->check(CLI::Range(1, 10000000));
  AddPlayer(app, "--player1", settings.players[0]);
  AddPlayer(app, "--player2", settings.players[1]);
  app.add_option("--ends", settings.ends, "regular ends of a game")->check(CLI::Range(1, kMaxEnds));
  app.add_option("--noise", settings.noise, "execution error of every delivery")
      ->check(CLI::Range(0.0f, kMaxNoise));
  app.add_option("--seed", settings.seed, "the run's seed: games, players, exploration");
  app.add_option("--threads", threads, "games played at once")->check(CLI::Range(1, 256));
}

bool ReadSprt(const std::string& text, SprtSettings& sprt) {
  double values[4] = {0.0, 0.0, 0.05, 0.05};
  int count = 0;
  size_t start = 0;
  while (count < 4) {
    const size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma - start);
    char* end = nullptr;
    values[count++] = std::strtod(part.c_str(), &end);
    if (part.empty() || *end != '\0' || !std::isfinite(values[count - 1])) return false;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if ((count != 2 && count != 4) || values[0] >= values[1] || values[2] <= 0.0 ||
      values[2] >= 0.5 || values[3] <= 0.0 || values[3] >= 0.5) {
    return false;
  }
  sprt = SprtSettings{values[0], values[1], values[2], values[3]};
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
  return settings.noise != kSimulationNoise &&
         (foresees(settings.players[0], foresees) || foresees(settings.players[1], foresees));
}

}  // namespace

int ParseSelfPlayOptions(int argc, const char* const* argv, SelfPlayOptions& options) {
  CLI::App app{
      "Plays games between players in this process, for self-play data and "
      "for measuring strength."};
  app.name("curling-selfplay");
  app.require_subcommand(1);

  DataRun& data = options.data;
  data.settings.explore = 0.1f;
  CLI::App* dataCommand = app.add_subcommand(
      "data", "write the position before every delivery of paired games to a file");
  AddRunOptions(*dataCommand, data.settings, data.threads);
  dataCommand
      ->add_option("--explore", data.settings.explore,
                   "chance that a delivery before an end's last two stones is a "
                   "candidate shot picked at random")
      ->check(CLI::Range(0.0, 1.0));
  AddShard(*dataCommand, data.settings);
  dataCommand->add_option("--out", data.out, "the data file; an unfinished one is resumed")
      ->required();

  MatchRun& match = options.match;
  match.settings.ends = 2;
  CLI::App* matchCommand =
      app.add_subcommand("match", "play paired games and report player 1 against player 2");
  AddRunOptions(*matchCommand, match.settings, match.threads);
  matchCommand
      ->add_option_function<std::string>(
          "--sprt",
          [&match](const std::string& text) {
            if (!ReadSprt(text, match.sprtSettings)) {
              throw CLI::ValidationError(
                  "--sprt", "ELO0,ELO1[,ALPHA,BETA] with ELO0 < ELO1 and 0 < ALPHA, BETA < 0.5");
            }
            match.sprt = true;
          },
          "stop once the sequential test decides between Elo ELO0 and ELO1")
      ->type_name("ELO0,ELO1[,ALPHA,BETA]");
  matchCommand->add_option("--json", match.jsonPath, "the same figures as JSON, to this file");

  CLI::App* mergeCommand = app.add_subcommand(
      "merge", "write the complete shard files of one run as the one file of the run");
  mergeCommand->add_option("--out", options.mergeOut, "the merged file")->required();
  mergeCommand->add_option("shards", options.mergeInputs, "the shards' data files")
      ->required()
      ->type_name("FILE");

  RegretRun& regret = options.regret;
  CLI::App* regretCommand = app.add_subcommand(
      "regret",
      "measure, by shot number, what the greedy and strong picks lose against the best candidate");
  regretCommand->add_option("--data", regret.data, "a self-play data file")->required();
  regretCommand->add_option("--positions", regret.positions, "positions, spread over shot numbers")
      ->required()
      ->check(CLI::Range(1, 1000000));
  regretCommand->add_option("--seed", regret.seed, "picks the positions and seeds the executions");
  regretCommand
      ->add_option("--executions", regret.executions, "noisy executions valuing each candidate")
      ->check(CLI::Range(1, 100000));
  regretCommand->add_option("--samples", regret.samples, "the strong search's samples a decision")
      ->check(CLI::Range(1, 100000000));
  regretCommand->add_option("--threads", regret.threads, "positions measured at once")
      ->check(CLI::Range(1, 256));
  regretCommand->add_option("--json", regret.jsonPath, "the same figures as JSON, to this file");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& failure) {
    const int status = app.exit(failure);
    return status == 0 ? 0 : 2;
  }
  if (*matchCommand) options.command = SelfPlayCommand::kMatch;
  if (*mergeCommand) options.command = SelfPlayCommand::kMerge;
  if (*regretCommand) options.command = SelfPlayCommand::kRegret;
  const RunSettings* run = options.command == SelfPlayCommand::kData    ? &data.settings
                           : options.command == SelfPlayCommand::kMatch ? &match.settings
                                                                        : nullptr;
  if (run != nullptr && ForeseesWrongly(*run)) {
    std::fprintf(stderr,
                 "curling-selfplay: a foresight player needs --noise %g, the noise it "
                 "foresees\n",
                 static_cast<double>(kSimulationNoise));
    return 2;
  }
  return -1;
}
