#include "match/engines/reply_scan.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace match::engines {

namespace {

constexpr std::string_view kReady = "READYOK";
constexpr std::string_view kShotWord = "BESTSHOT";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool IsSpace(char c) {
  return IsBlank(c) || IsLineEnd(c);
}

size_t SkipSpace(std::string_view text, size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

std::vector<std::string_view> SplitTokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  size_t at = SkipSpace(text, 0);
  while (at < text.size()) {
    size_t end = at;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    tokens.push_back(text.substr(at, end - at));
    at = SkipSpace(text, end);
  }
  return tokens;
}

// A whole token read as a decimal number, or false.
bool ReadNumber(std::string_view token, double& value) {
  const std::string copy(token);
  char* end = nullptr;
  value = std::strtod(copy.c_str(), &end);
  return !copy.empty() && end == copy.c_str() + copy.size();
}

bool ReadSpin(std::string_view token, int& spin) {
  size_t at = token.empty() || (token[0] != '+' && token[0] != '-') ? 0 : 1;
  if (at == token.size()) return false;
  long value = 0;
  for (; at < token.size(); ++at) {
    if (token[at] < '0' || token[at] > '9') return false;
    value = value * 10 + (token[at] - '0');
    if (value > 1000) value = 1000;  // only 0 and 1 matter
  }
  spin = static_cast<int>(token[0] == '-' ? -value : value);
  return true;
}

}  // namespace

ReplyProgress ScanReadyReply(std::string_view text, size_t& length) {
  const size_t start = SkipSpace(text, 0);
  const std::string_view rest = text.substr(start);
  if (rest.size() < kReady.size()) {
    return kReady.substr(0, rest.size()) == rest ? ReplyProgress::kIncomplete
                                                 : ReplyProgress::kIllegal;
  }
  if (rest.substr(0, kReady.size()) != kReady) return ReplyProgress::kIllegal;
  length = start + kReady.size();
  return ReplyProgress::kComplete;
}

ReplyProgress ScanShotReply(std::string_view text, size_t& length) {
  size_t at = SkipSpace(text, 0);
  for (int token = 0; token < 4; ++token) {
    if (token > 0) {
      while (at < text.size() && IsBlank(text[at])) ++at;
      if (at < text.size() && IsLineEnd(text[at])) return ReplyProgress::kIllegal;
    }
    if (at == text.size()) return ReplyProgress::kIncomplete;
    const size_t begin = at;
    while (at < text.size() && !IsSpace(text[at])) ++at;
    const std::string_view word = text.substr(begin, at - begin);
    if (token == 0) {
      // Garbage shows at once, without waiting for the time to run out.
      const bool prefix = kShotWord.substr(0, word.size()) == word;
      if (!prefix || (at < text.size() && word != kShotWord)) return ReplyProgress::kIllegal;
    }
    if (at == text.size()) {
      if (token < 3) return ReplyProgress::kIncomplete;
      length = at;
      // A legal spin is one digit: nothing can follow it. Anything else may
      // still be growing.
      return word == "0" || word == "1" ? ReplyProgress::kComplete
                                        : ReplyProgress::kCompleteIfQuiet;
    }
    if (token < 3 && IsLineEnd(text[at])) return ReplyProgress::kIllegal;
  }
  length = SkipSpace(text, at);
  return ReplyProgress::kComplete;
}

bool ParseShotReply(std::string_view text, ShotVec& shot, std::string& problem) {
  const std::vector<std::string_view> tokens = SplitTokens(text);
  if (tokens.size() != 4 || tokens[0] != kShotWord) {
    problem = "not of the form \"BESTSHOT vx vy spin\"";
    return false;
  }
  double vx = 0.0;
  double vy = 0.0;
  int spin = 0;
  if (!ReadNumber(tokens[1], vx) || !ReadNumber(tokens[2], vy)) {
    problem = "a velocity component is not a number";
    return false;
  }
  if (!std::isfinite(vx) || !std::isfinite(vy) || !std::isfinite(static_cast<float>(vx)) ||
      !std::isfinite(static_cast<float>(vy))) {
    problem = "a velocity component is not finite";
    return false;
  }
  const double speed = std::hypot(vx, vy);
  if (speed > kMaxLegalReleaseSpeed) {
    char text[96];
    std::snprintf(text, sizeof text, "release speed %.3f m/s is beyond %.1f m/s", speed,
                  kMaxLegalReleaseSpeed);
    problem = text;
    return false;
  }
  if (!ReadSpin(tokens[3], spin) || (spin != 0 && spin != 1)) {
    problem = "spin is neither 0 nor 1";
    return false;
  }
  shot = ShotVec{};
  shot.vx = static_cast<float>(vx);
  shot.vy = static_cast<float>(vy);
  shot.spin = static_cast<uint8_t>(spin);
  return true;
}

}  // namespace match::engines
