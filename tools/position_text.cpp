#include "tools/position_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <system_error>

#include "simulator/sheet.h"

namespace tools {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Splits off the next blank-separated word; empty at the end of the line.
std::string_view NextWord(std::string_view& rest) {
  size_t start = 0;
  while (start < rest.size() && IsBlank(rest[start])) ++start;
  size_t end = start;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  const std::string_view word = rest.substr(start, end - start);
  rest.remove_prefix(end);
  return word;
}

// A leading '+' is allowed, as people write it, though from_chars takes none.
std::string_view WithoutPlus(std::string_view word) {
  if (word.size() > 1 && word[0] == '+' && word[1] != '-') word.remove_prefix(1);
  return word;
}

bool ParseWhole(std::string_view word, int& value) {
  word = WithoutPlus(word);
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size();
}

bool ParseWhole(std::string_view word, float& value) {
  word = WithoutPlus(word);
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size() && std::isfinite(value);
}

// Built by appending: g++ 12 at -O2 and above warns falsely (-Wrestrict) on
// a literal prepended to a temporary string.
std::string Quoted(std::string_view word) {
  std::string quoted;
  quoted.reserve(word.size() + 2);
  quoted += '\'';
  quoted += word;
  quoted += '\'';
  return quoted;
}

}  // namespace

bool IsCommentOrBlankLine(std::string_view line) {
  for (const char c : line) {
    if (!IsBlank(c)) return c == '#';
  }
  return true;
}

bool ParsePositionLine(std::string_view line, GameState& state, std::string& error) {
  std::string_view rest = line;
  const std::string_view shotWord = NextWord(rest);
  int shotNumber = 0;
  if (!ParseWhole(shotWord, shotNumber)) {
    error = "shot number " + Quoted(shotWord) + " is not a whole number";
    return false;
  }
  StonePos stones[16];
  for (int i = 0; i < 32; ++i) {
    const std::string_view word = NextWord(rest);
    if (word.empty()) {
      error = "expected 32 coordinates after the shot number, found " + std::to_string(i);
      return false;
    }
    float& value = i % 2 == 0 ? stones[i / 2].x : stones[i / 2].y;
    if (!ParseWhole(word, value)) {
      error = "coordinate " + std::to_string(i + 1) + " " + Quoted(word) +
              " is not a finite decimal number";
      return false;
    }
  }
  if (!NextWord(rest).empty()) {
    error = "more than 32 coordinates after the shot number";
    return false;
  }
  state.shotNumber = shotNumber;
  for (int i = 0; i < 16; ++i) state.stones[i] = stones[i];
  return true;
}

std::string FormatPositionLine(const GameState& state) {
  std::string line = std::to_string(state.shotNumber);
  char number[64];  // two %.9g of a float: well under 64
  for (const StonePos& stone : state.stones) {
    std::snprintf(number, sizeof number, " %.9g %.9g", static_cast<double>(stone.x),
                  static_cast<double>(stone.y));
    line += number;
  }
  return line;
}

bool StonesOnSheet(const GameState& state, std::string& error) {
  const int delivered = state.shotNumber < 16 ? state.shotNumber : 16;
  for (int slot = 0; slot < delivered; ++slot) {
    const StonePos stone = state.stones[slot];
    if (!StoneInPlay(stone)) continue;
    const double x = stone.x;
    const double y = stone.y;
    if (x < kSideLineLeft || x > kSideLineRight || y < 0.0 || y > kNearBackLineY) {
      char where[96];
      std::snprintf(where, sizeof where, "(%.9g, %.9g)", x, y);
      error = "stone " + std::to_string(slot) + " at " + where +
              " is off the sheet (a stone out of play is 0 0)";
      return false;
    }
  }
  return true;
}

}  // namespace tools
