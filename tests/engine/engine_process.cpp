#include "tests/engine/engine_process.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "tests/test_locations.h"

using namespace match::platform;

namespace {

std::string FreshErrorPath() {
  static std::atomic<int> next{0};
  return ::testing::TempDir() + "engine-" + std::to_string(NowMilliseconds()) + "-" +
         std::to_string(next.fetch_add(1)) + ".stderr";
}

// Appends what the child's output delivers until `count` bytes are in `text`,
// the pipe closes or the time is up.
void ReadInto(EngineRun& run, std::string& text, size_t count, int timeoutMs) {
  const int64_t deadline = NowMilliseconds() + timeoutMs;
  while (text.size() < count) {
    char buffer[4096];
    const size_t wanted = sizeof buffer < count - text.size() ? sizeof buffer : count - text.size();
    const long got = ReadFromChild(run.process, buffer, wanted, deadline);
    if (got <= 0) return;
    text.append(buffer, static_cast<size_t>(got));
  }
}

}  // namespace

void RequireEngine() {
  std::string missing;
  const std::string launcher = test_locations::kEngineLauncher;
  if (!launcher.empty() && !std::filesystem::exists(launcher)) {
    missing = "Wine is not installed (scripts/install-deps.sh --windows installs it)";
  } else if (!std::filesystem::exists(test_locations::kEngine)) {
    missing = std::string(test_locations::kEngine) +
              " is not built (cmake --preset windows && cmake --build --preset windows)";
  }
  if (missing.empty()) return;
  const char* required = std::getenv("CURLING_REQUIRE_WINDOWS_TESTS");
  if (required != nullptr && std::string(required) == "1") FAIL() << missing;
  GTEST_SKIP() << missing;
}

EngineRun StartEngineRun(const std::string& path, bool withoutLibraryPath, int input,
                         const std::vector<std::string>& arguments) {
  // A write to a program that has already ended, as one refusing its options
  // does, must fail rather than end the test with SIGPIPE.
  static const bool signalsReady = (PrepareRunnerSignals(), true);
  (void)signalsReady;
  EngineRun run;
  run.errorPath = FreshErrorPath();
  ChildSetup setup;
  setup.inputDescriptor = input;
  setup.errorPath = run.errorPath;
  if (withoutLibraryPath) setup.unsetVariables = {"LD_LIBRARY_PATH"};
  std::string reason;
  std::vector<std::string> words = {path};
  words.insert(words.end(), arguments.begin(), arguments.end());
  if (*test_locations::kEngineLauncher != '\0')
    words.insert(words.begin(), test_locations::kEngineLauncher);
  EXPECT_TRUE(StartChild(words, setup, run.process, reason)) << reason;
  return run;
}

void SendBytes(EngineRun& run, std::string_view bytes) {
  WriteToChild(run.process, bytes);
}

void CloseInput(EngineRun& run) {
  CloseChildInput(run.process);
}

std::string ReadOutput(EngineRun& run, size_t count, int timeoutMs) {
  std::string text;
  ReadInto(run, text, count, timeoutMs);
  return text;
}

std::string ReadAllOutput(EngineRun& run, int timeoutMs) {
  std::string text;
  ReadInto(run, text, static_cast<size_t>(-1), timeoutMs);
  return text;
}

std::string ReadAllErrors(EngineRun& run, int timeoutMs) {
  PeekChildExit(run.process, timeoutMs);
  std::ifstream file(run.errorPath, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

int WaitForExit(EngineRun& run, int timeoutMs) {
  const ChildExit exit = EndChild(run.process, timeoutMs);
  std::remove(run.errorPath.c_str());
  return exit.known && !exit.signalled ? exit.code : -1;
}
