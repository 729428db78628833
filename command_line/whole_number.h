// The one reader of whole numbers that a person types: on a command line, in
// the settings written into a self-play player's name, and in the settings a
// data file's header keeps.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace command_line {

// The largest whole number there is to read: 2^64-1.
inline constexpr uint64_t kLargestWholeNumber = std::numeric_limits<uint64_t>::max();

// A whole decimal number that fits in 64 bits: digits only, no sign, no
// spaces, no base prefix. False for anything else, leaving `value` as it was.
bool ReadWholeNumber(std::string_view text, uint64_t& value);

// The same, from `low` to `high` inclusive.
bool ReadWholeNumber(std::string_view text, uint64_t low, uint64_t high, uint64_t& value);

// The most shares some work is split into.
inline constexpr int kMostShares = 1000000;

// A share of some work, "K/N": share K of N, 1 <= K <= N <= kMostShares.
// False for anything else, leaving both as they were.
bool ReadShare(std::string_view text, int& share, int& shares);

}  // namespace command_line
