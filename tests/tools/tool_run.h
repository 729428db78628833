// Running curling-analyze as a user runs it: arguments, text on standard
// input, and what comes back.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <sys/wait.h>

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

// Runs `curling-analyze <arguments>` with `input` on standard input; the
// files it goes through are named after the running test.
inline ToolRun RunAnalyze(const std::string& arguments, const std::string& input) {
  const std::string base = ::testing::TempDir() + "analyze_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::ofstream(base + ".in", std::ios::binary) << input;
  const std::string command = std::string("'") + CURLING_ANALYZE_PATH + "' " + arguments + " < '" +
                              base + ".in' > '" + base + ".out' 2> '" + base + ".err'";
  const int status = std::system(command.c_str());
  ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(base + ".out"),
              ReadWholeFile(base + ".err")};
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
