#include "match/engines/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <version>

namespace match::engines {

std::string ShortestFloat(float value) {
  char text[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value) break;
  }
  return text;
}

std::string ShortestDouble(double value) {
  char text[40];
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

std::string PrintfShortest(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  if (value == 0.0) return std::signbit(value) ? "-0" : "0";
  // The fewest digits that read back: printf rounds to nearest, which is the
  // digit string to_chars picks among the shortest.
  char text[400];
  int digits = 1;
  for (; digits < 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
  const std::string scientific = text;
  const bool negative = value < 0;
  std::string mantissa;
  for (const char c : scientific.substr(0, scientific.find('e'))) {
    if (c >= '0' && c <= '9') mantissa += c;
  }
  const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
  const int count = static_cast<int>(mantissa.size());
  std::string fixed;
  if (exponent >= count - 1) {
    // A whole number is written in full, all its digits exact, as
    // std::to_chars writes it; the length is the same.
    char whole[400];
    std::snprintf(whole, sizeof whole, "%.0f", std::fabs(value));
    fixed = whole;
  } else if (exponent >= 0) {
    fixed = mantissa.substr(0, static_cast<size_t>(exponent) + 1) + "." +
            mantissa.substr(static_cast<size_t>(exponent) + 1);
  } else {
    fixed = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
  }
  if (negative) fixed = "-" + fixed;
  return fixed.size() <= scientific.size() ? fixed : scientific;
}

std::string ShortestText(double value) {
#if defined(__cpp_lib_to_chars)
  char text[32];
  const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
  return std::string(text, written.ptr);
#else
  return PrintfShortest(value);
#endif
}

double NearestDouble(float value) {
#if defined(__cpp_lib_to_chars)
  char text[32];
  const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
  double nearest = 0.0;
  std::from_chars(text, written.ptr, nearest);
  return nearest;
#else
  // The float's fewest digits that read back as it, read as a double.
  char text[40];
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value) break;
  }
  return std::strtod(text, nullptr);
#endif
}

}  // namespace match::engines
