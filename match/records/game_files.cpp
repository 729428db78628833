#include "match/records/game_files.h"

#include <cstdio>
#include <cstdlib>

namespace match::records {

namespace {

constexpr std::string_view kStemPrefix = "game-";
constexpr std::string_view kRecordSuffix = ".jsonl";
constexpr size_t kLeastDigits = 3;
constexpr size_t kMostDigits = 7;

}  // namespace

std::string GameFileStem(int gameNumber) {
  char stem[32];
  std::snprintf(stem, sizeof stem, "game-%03d", gameNumber);
  return stem;
}

std::string RecordName(int gameNumber) {
  return GameFileStem(gameNumber) + std::string(kRecordSuffix);
}

std::string EndPictureName(int gameNumber, int endIndex) {
  return GameFileStem(gameNumber) + "-end-" + std::to_string(endIndex + 1) + ".svg";
}

std::string ErrorLogName(int gameNumber, int player) {
  return GameFileStem(gameNumber) + "-player-" + std::to_string(player + 1) + ".stderr";
}

bool ReadRecordName(std::string_view name, int& gameNumber) {
  if (name.size() < kStemPrefix.size() + kLeastDigits + kRecordSuffix.size() ||
      !name.starts_with(kStemPrefix) || !name.ends_with(kRecordSuffix)) {
    return false;
  }
  const std::string digits(
      name.substr(kStemPrefix.size(), name.size() - kStemPrefix.size() - kRecordSuffix.size()));
  if (digits.size() > kMostDigits || digits.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  gameNumber = std::atoi(digits.c_str());
  return true;
}

}  // namespace match::records
