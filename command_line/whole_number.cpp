#include "command_line/whole_number.h"

namespace command_line {

bool ReadWholeNumber(std::string_view text, uint64_t& value) {
  if (text.empty()) return false;
  uint64_t read = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    const auto digit = static_cast<uint64_t>(c - '0');
    if (read > (kLargestWholeNumber - digit) / 10) return false;
    read = read * 10 + digit;
  }
  value = read;
  return true;
}

bool ReadWholeNumber(std::string_view text, uint64_t low, uint64_t high, uint64_t& value) {
  uint64_t read = 0;
  if (!ReadWholeNumber(text, read) || read < low || read > high) return false;
  value = read;
  return true;
}

bool ReadShare(std::string_view text, int& share, int& shares) {
  const size_t slash = text.find('/');
  uint64_t k = 0;
  uint64_t n = 0;
  if (slash == std::string_view::npos ||
      !ReadWholeNumber(text.substr(0, slash), 1, kMostShares, k) ||
      !ReadWholeNumber(text.substr(slash + 1), 1, kMostShares, n) || k > n) {
    return false;
  }
  share = static_cast<int>(k);
  shares = static_cast<int>(n);
  return true;
}

}  // namespace command_line
