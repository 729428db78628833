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

}  // namespace command_line
