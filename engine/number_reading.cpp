#include "engine/number_reading.h"

#include <cfloat>
#include <cstdlib>
#include <string>

namespace engine {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipWhiteSpace(const char* text) {
  while (IsWhiteSpace(*text)) ++text;
  return text;
}

const char* SkipDigits(const char* text) {
  while (IsDigit(*text)) ++text;
  return text;
}

}  // namespace

int32_t ReadInteger(const char* token) {
  const char* cursor = SkipWhiteSpace(token);
  const bool negative = *cursor == '-';
  if (*cursor == '-' || *cursor == '+') ++cursor;
  // Accumulated as a magnitude that stops growing at the first value past the
  // int32 range, so any number of digits is safe.
  constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
  int64_t magnitude = 0;
  for (; IsDigit(*cursor); ++cursor) {
    magnitude = magnitude * 10 + (*cursor - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<int32_t>(-magnitude);
  return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}

float ReadCoordinate(const char* token) {
  const char* start = SkipWhiteSpace(token);
  const char* cursor = start;
  if (*cursor == '-' || *cursor == '+') ++cursor;
  const char* integerEnd = SkipDigits(cursor);
  bool hasDigits = integerEnd != cursor;
  cursor = integerEnd;
  if (*cursor == '.') {
    const char* fractionEnd = SkipDigits(cursor + 1);
    hasDigits = hasDigits || fractionEnd != cursor + 1;
    cursor = fractionEnd;
  }
  if (!hasDigits) return 0.0f;
  if (*cursor == 'e' || *cursor == 'E') {
    const char* exponent = cursor + 1;
    if (*exponent == '-' || *exponent == '+') ++exponent;
    if (IsDigit(*exponent)) cursor = SkipDigits(exponent);
  }
  // The conversion sees only the decimal prefix, so nothing after it (a hex
  // digit following "0x", say) can change the value.
  const std::string prefix(start, cursor);
  const double value = std::strtod(prefix.c_str(), nullptr);
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

}  // namespace engine
