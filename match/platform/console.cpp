#include "match/platform/console.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex consoleMutex;
}

void WriteProgressLine(const std::string& line) {
  const std::lock_guard<std::mutex> lock(consoleMutex);
  std::fputs((line + '\n').c_str(), stderr);
  std::fflush(stderr);
}

void WriteOutputBlock(const std::string& text) {
  const std::lock_guard<std::mutex> lock(consoleMutex);
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
}
