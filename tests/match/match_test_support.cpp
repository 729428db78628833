#include "tests/match/match_test_support.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>
#include <utility>

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include "match/engines/command_words.h"
#include "tests/test_locations.h"

using namespace match::engines;
using namespace match::game;
using namespace match::platform;
using namespace match::records;

namespace {

// The scratch directories go when the test program ends.
struct ScratchDirectories {
  std::vector<std::string> paths;
  ~ScratchDirectories() {
    std::error_code error;
    for (const std::string& path : paths) std::filesystem::remove_all(path, error);
  }
};
ScratchDirectories scratch;

}  // namespace

std::string ScratchDirectory() {
  char pattern[] = "/tmp/match-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  EXPECT_NE(made, nullptr);
  if (made == nullptr) return "/tmp";
  scratch.paths.emplace_back(made);
  return made;
}

GameSettings QuickGame(const std::string& first, const std::string& second,
                       const std::string& directory, int ends) {
  GameSettings settings;
  const std::string commands[2] = {first, second};
  for (int p = 0; p < 2; ++p) {
    settings.players[p].command = commands[p];
    settings.players[p].name = p == 0 ? "first" : "second";
    std::string reason;
    EXPECT_TRUE(SplitCommandWords(commands[p], settings.players[p].words, reason)) << reason;
  }
  settings.ends = ends;
  settings.noise = 0.0f;
  settings.seed = 2026;
  settings.moveTimeMs = 2000;
  settings.hammerPlayer = 1;
  settings.outputDirectory = directory;
  return settings;
}

std::vector<RecordJson> ReadRecordLines(const std::string& path) {
  std::vector<RecordJson> lines;
  std::ifstream file(path);
  EXPECT_TRUE(file.good()) << path;
  std::string text;
  while (std::getline(file, text)) {
    RecordJson value;
    std::string error;
    EXPECT_TRUE(ParseJsonText(text, value, error)) << error << " in " << text;
    lines.push_back(std::move(value));
  }
  return lines;
}

std::vector<RecordJson> LinesOfType(const std::vector<RecordJson>& lines, const std::string& type) {
  std::vector<RecordJson> chosen;
  for (const RecordJson& line : lines) {
    if (line.value("type", "") == type) chosen.push_back(line);
  }
  return chosen;
}

std::vector<int> ReadPids(const std::string& path) {
  std::vector<int> pids;
  std::ifstream file(path);
  int pid = 0;
  while (file >> pid) pids.push_back(pid);
  return pids;
}

bool ProcessAlive(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  if (!stat) return false;
  std::string text;
  std::getline(stat, text);
  // The state follows the command name in parentheses.
  const size_t close = text.rfind(')');
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

bool ProcessEnds(int pid) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (ProcessAlive(pid)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

int IntegerOf(const RecordJson& line, const char* key) {
  int value = -999;
  EXPECT_TRUE(ReadJsonInteger(JsonMember(line, key), value)) << key;
  return value;
}

std::string TextOf(const RecordJson& line, const char* key) {
  std::string text;
  EXPECT_TRUE(ReadJsonBytes(JsonMember(line, key), text)) << key;
  return text;
}

ChildProcess StartRunner(const std::vector<std::string>& arguments, const std::string& directory) {
  std::vector<std::string> words = {test_locations::kMatch};
  words.insert(words.end(), arguments.begin(), arguments.end());
  ChildSetup setup;
  setup.outputPath = directory + "/stdout";
  setup.errorPath = directory + "/stderr";
  ChildProcess runner;
  std::string reason;
  EXPECT_TRUE(StartChild(words, setup, runner, reason)) << reason;
  return runner;
}

int WaitForExit(ChildProcess& runner, int seconds) {
  const ChildExit ended = PeekChildExit(runner, seconds * 1000);
  EndChild(runner, 0);
  if (!ended.known) return -1;
  return ended.signalled ? 128 + ended.code : ended.code;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}
