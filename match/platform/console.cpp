#include "match/platform/console.h"

#include <cstdio>
#include <mutex>

namespace match::platform {

namespace {

std::mutex consoleMutex;
std::string statusLine;  // shown at the foot of the terminal, or empty

// Carriage return, then erase to the end of the line.
constexpr const char* kEraseLine = "\r\033[K";

void EraseStatus() {
  if (statusLine.empty()) return;
  std::fputs(kEraseLine, stderr);
  std::fflush(stderr);
}

void DrawStatus() {
  if (statusLine.empty()) return;
  std::fputs(statusLine.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace

void WriteProgressLine(const std::string& line) {
  const std::lock_guard<std::mutex> lock(consoleMutex);
  EraseStatus();
  std::fputs((line + '\n').c_str(), stderr);
  DrawStatus();
  std::fflush(stderr);
}

void WriteOutputBlock(const std::string& text) {
  const std::lock_guard<std::mutex> lock(consoleMutex);
  EraseStatus();
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
  DrawStatus();
}

void ShowStatusLine(const std::string& text) {
  const std::lock_guard<std::mutex> lock(consoleMutex);
  if (text == statusLine) return;
  EraseStatus();
  statusLine = text;
  DrawStatus();
}

}  // namespace match::platform
