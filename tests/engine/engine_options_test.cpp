// The command line of the player and of the opponents: what each option
// sets, what is refused, and that a refusal ends the program before it
// reads a command.

#include "search/engine_options.h"

#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "search/reference_player.h"
#include "search/search_choice.h"
#include "search/search_settings.h"
#include "search/strong/strong_search.h"
#include "search/strong/strong_settings.h"
#include "tests/engine/engine_process.h"
#include "tests/test_locations.h"

using namespace search;
using namespace search::strong;

namespace {

constexpr int kReplyMs = 10000;

bool Parse(std::vector<const char*> arguments, EngineOptions& options, std::string& error,
           SearchKind defaultSearch = SearchKind::kReference) {
  return ParseEngineOptions(static_cast<int>(arguments.size()), arguments.data(), defaultSearch,
                            options, error);
}

TEST(EngineOptions, EachOptionSetsItsFieldInEitherSpelling) {
  EngineOptions options;
  std::string error;
  ASSERT_TRUE(Parse({}, options, error));
  EXPECT_EQ(options.search, SearchKind::kReference);
  EXPECT_FALSE(options.timeGiven);
  EXPECT_FALSE(options.seedGiven);

  ASSERT_TRUE(Parse({}, options, error, SearchKind::kStrong));
  EXPECT_EQ(options.search, SearchKind::kStrong);

  ASSERT_TRUE(Parse(
      {"--search", "strong", "--time-ms=475", "--seed", "18446744073709551615", "--samples", "900"},
      options, error))
      << error;
  EXPECT_EQ(options.search, SearchKind::kStrong);
  EXPECT_TRUE(options.timeGiven);
  EXPECT_EQ(options.timeMs, 475u);
  EXPECT_TRUE(options.seedGiven);
  EXPECT_EQ(options.seed, 18446744073709551615u);
  EXPECT_EQ(options.samples, 900u);

  ASSERT_TRUE(Parse({"--search=reference", "--help"}, options, error));
  EXPECT_TRUE(options.help);
}

TEST(EngineOptions, ValuesThatCannotBeHonouredAreRefusedWithTheReason) {
  const std::vector<std::vector<const char*>> bad = {
      {"--search", "fast"},
      {"--time-ms", "49"},
      {"--time-ms", "3600001"},
      {"--time-ms", "1.5"},
      {"--time-ms", "-100"},
      {"--time-ms"},
      {"--seed", "18446744073709551616"},
      {"--seed", "-1"},
      {"--seed", "12x"},
      {"--samples", "0"},
      {"--samples", "100"},
      {"--search", "strong", "--evaluation", "standing"},
      {"--evaluation", "learned"},
      {"--frobnicate"},
      {"strong"},
  };
  for (const std::vector<const char*>& arguments : bad) {
    EngineOptions options;
    std::string error;
    EXPECT_FALSE(Parse(arguments, options, error)) << arguments[0];
    EXPECT_FALSE(error.empty());
  }
  // Samples count only in the stronger search.
  EngineOptions options;
  std::string error;
  EXPECT_FALSE(Parse({"--samples", "100"}, options, error));
  EXPECT_NE(error.find("strong"), std::string::npos) << error;
}

TEST(EngineOptions, TimeAndSeedReachTheChosenPlayer) {
  EngineOptions options;
  std::string error;
  // No option: the reference search exactly as shipped.
  ASSERT_TRUE(Parse({}, options, error));
  ChosenPlayer chosen = ChoosePlayer(options);
  EXPECT_EQ(chosen.decisionMs, kDefaultDecisionMs);
  const auto* reference = dynamic_cast<const ReferencePlayer*>(chosen.player.get());
  ASSERT_NE(reference, nullptr);
  const SearchSettings shipped = ShippedSearchSettings();
  SearchSettings configured = reference->SettingsFor(chosen.decisionMs);
  EXPECT_EQ(configured.budgetSeconds, shipped.budgetSeconds);
  EXPECT_EQ(configured.makeSeed, shipped.makeSeed);
  EXPECT_EQ(configured.playout, shipped.playout);

  ASSERT_TRUE(Parse({"--time-ms", "475", "--seed", "3"}, options, error));
  chosen = ChoosePlayer(options);
  EXPECT_EQ(chosen.decisionMs, 475u);
  reference = dynamic_cast<const ReferencePlayer*>(chosen.player.get());
  ASSERT_NE(reference, nullptr);
  EXPECT_EQ(reference->SettingsFor(chosen.decisionMs).playout, PositionSeededPlayout);

  ASSERT_TRUE(Parse({"--search", "strong", "--time-ms", "900", "--seed", "5"}, options, error));
  chosen = ChoosePlayer(options);
  EXPECT_EQ(chosen.decisionMs, 900u);
  const auto* strong = dynamic_cast<const StrongPlayer*>(chosen.player.get());
  ASSERT_NE(strong, nullptr);
  EXPECT_TRUE(strong->Settings().seedGiven);
  EXPECT_EQ(strong->Settings().seed, 5u);
  EXPECT_EQ(strong->Settings().sampleBudget, 0u);

  ASSERT_TRUE(Parse({"--search", "strong", "--samples", "40"}, options, error));
  chosen = ChoosePlayer(options);
  EXPECT_EQ(chosen.decisionMs, kDefaultDecisionMs);
  strong = dynamic_cast<const StrongPlayer*>(chosen.player.get());
  ASSERT_NE(strong, nullptr);
  EXPECT_FALSE(strong->Settings().seedGiven);
  EXPECT_EQ(strong->Settings().sampleBudget, 40u);
  EXPECT_EQ(strong->Settings().evaluation, Evaluation::kLearned);

  ASSERT_TRUE(Parse({"--search", "strong", "--evaluation=table"}, options, error));
  chosen = ChoosePlayer(options);
  strong = dynamic_cast<const StrongPlayer*>(chosen.player.get());
  ASSERT_NE(strong, nullptr);
  EXPECT_EQ(strong->Settings().evaluation, Evaluation::kStandingTable);
}

struct ProgramRun {
  int status;
  std::string output;
  std::string errors;
};

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments,
                      const std::string& input) {
  EngineRun child = StartEngineRun(path, false, -1, arguments);
  SendBytes(child, input);
  CloseInput(child);
  ProgramRun run;
  run.output = ReadAllOutput(child, kReplyMs);
  run.errors = ReadAllErrors(child, kReplyMs);
  run.status = WaitForExit(child, kReplyMs);
  return run;
}

TEST(ProgramOptions, BadOptionsEndEveryProgramWithStatusTwoBeforeAnyCommand) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {test_locations::kEngine, {"--time-ms", "0"}},
      {test_locations::kEngine, {"--search", "best"}},
      {test_locations::kStrongEngine, {"--seed", "x"}},
      {test_locations::kStrongEngine, {"--unknown"}},
      {test_locations::kOpponentGreedy, {"--seed"}},
      {test_locations::kOpponentRandom, {"--seed", "-4"}},
      {test_locations::kOpponentTee, {"--time-ms", "5"}},
  };
  for (const auto& [path, arguments] : cases) {
    const ProgramRun run = RunProgram(path, arguments, "ISREADY\n");
    EXPECT_EQ(run.status, 2) << path << " " << arguments[0];
    EXPECT_EQ(run.output, "") << path;
    EXPECT_NE(run.errors.find(arguments[0]), std::string::npos) << run.errors;
  }
}

TEST(ProgramOptions, HelpDescribesTheOptions) {
  const ProgramRun run = RunProgram(test_locations::kStrongEngine, {"--help"}, "");
  EXPECT_EQ(run.status, 0);
  for (const char* option :
       {"--search", "--time-ms", "--seed", "--samples", "--evaluation", "(default strong)"}) {
    EXPECT_NE(run.output.find(option), std::string::npos) << option;
  }
  EXPECT_NE(RunProgram(test_locations::kEngine, {"--help"}, "").output.find("(default reference)"),
            std::string::npos);
}

// The last stone of an end with one opposing stone in the house.
constexpr const char* kLastStone =
    "NEWGAME\nPOSITION 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 2.5 5.1 0 0\n"
    "SETSTATE 15 1 1 1\nGO\n";

TEST(ProgramOptions, TheStrongEngineAnswersALegalShotInAGivenTime) {
  const std::regex legal(R"(BESTSHOT -?\d+\.\d{6} -?\d+\.\d{6} [01])");
  ProgramRun run = RunProgram(test_locations::kStrongEngine, {"--time-ms", "100"},
                              std::string("ISREADY\n") + kLastStone);
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.output.rfind("READYOK", 0), 0u) << run.output;
  EXPECT_TRUE(std::regex_match(run.output.substr(7), legal)) << run.output;
}

TEST(ProgramOptions, OpponentsGivenASeedRepeatTheirShot) {
  for (const char* path : {test_locations::kOpponentGreedy, test_locations::kOpponentRandom}) {
    const ProgramRun first = RunProgram(path, {"--seed", "42"}, kLastStone);
    const ProgramRun second = RunProgram(path, {"--seed=42"}, kLastStone);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.output.rfind("BESTSHOT ", 0), 0u) << first.output;
    EXPECT_EQ(first.output, second.output) << path;
  }
}

}  // namespace
