// Running curling-analyze as a user runs it: arguments, text on standard
// input, and what comes back.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "match/platform/process.h"
#include "tests/test_locations.h"

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs curling-analyze with `arguments` and `input` on standard input; the
// files it goes through are named after the running test and its suite. A run that has not
// ended within a minute is killed and has status -1.
inline ToolRun RunAnalyze(const std::vector<std::string>& arguments, const std::string& input) {
  // The suite's name too: cases of two suites may share a name and run at once.
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string base =
      ::testing::TempDir() + "analyze_" + test->test_suite_name() + "_" + test->name();
  std::ofstream(base + ".in", std::ios::binary) << input;
  std::vector<std::string> words = {test_locations::kAnalyze};
  words.insert(words.end(), arguments.begin(), arguments.end());
  match::platform::ChildSetup setup;
  setup.inputPath = base + ".in";
  setup.outputPath = base + ".out";
  setup.errorPath = base + ".err";
  match::platform::ChildProcess tool;
  std::string reason;
  EXPECT_TRUE(match::platform::StartChild(words, setup, tool, reason)) << reason;
  const match::platform::ChildExit ended = match::platform::PeekChildExit(tool, 60000);
  match::platform::EndChild(tool, 0);
  const bool exited = ended.known && !ended.signalled;
  ToolRun run{exited ? ended.code : -1, ReadWholeFile(base + ".out"), ReadWholeFile(base + ".err")};
  std::remove((base + ".in").c_str());
  std::remove((base + ".out").c_str());
  std::remove((base + ".err").c_str());
  return run;
}

// " 0" repeated: the zeros of the stones a position line leaves out of play.
inline std::string Zeros(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += " 0";
  return text;
}
