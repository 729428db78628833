#include "selfplay_test_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "engine/linked_simulator.h"

using namespace engine;
using namespace selfplay;

namespace {

// Binds the simulator before any test starts a game's thread.
class LinkedSimulator : public ::testing::Environment {
 public:
  void SetUp() override { BindLinkedSimulator(); }
};
const auto* const linkedSimulator = ::testing::AddGlobalTestEnvironment(new LinkedSimulator);

}  // namespace

RunSettings SmallRun(const std::string& first, const std::string& second, int games,
                     uint64_t seed) {
  RunSettings settings;
  std::string error;
  EXPECT_TRUE(ParsePlayerChoice(first, settings.players[0], error)) << error;
  EXPECT_TRUE(ParsePlayerChoice(second, settings.players[1], error)) << error;
  settings.games = games;
  settings.ends = 2;
  settings.explore = 0.2f;
  settings.seed = seed;
  return settings;
}

std::string ScratchPath(const std::string& name) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() /
      (std::string("selfplay-") + test->test_suite_name() + "-" + test->name());
  std::filesystem::create_directories(directory);
  const std::filesystem::path path = directory / name;
  std::filesystem::remove(path);
  return path.string();
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

DataOutcome WriteData(const RunSettings& settings, const std::string& out, int threads) {
  DataRun run;
  run.settings = settings;
  run.threads = threads;
  run.out = out;
  DataOutcome outcome;
  std::string error;
  EXPECT_TRUE(RunData(run, outcome, error)) << error;
  return outcome;
}
