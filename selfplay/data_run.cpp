#include "selfplay/data_run.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "command_line/whole_number.h"
#include "match/platform/console.h"
#include "match/platform/process.h"
#include "selfplay/game_pool.h"
#include "selfplay/position_file.h"

namespace selfplay {

namespace {

std::string ProgressText(int done, int total, long long positions, double seconds) {
  const double rate = seconds > 0.0 ? static_cast<double>(positions) / seconds : 0.0;
  const double left = done > 0 ? seconds * (total - done) / done : 0.0;
  char text[160];
  std::snprintf(text, sizeof text, "%d/%d games, %lld positions, %.0f positions/s, %.0f s left",
                done, total, positions, rate, left);
  return text;
}

// The games the file holds must be the first of those the run plays.
bool CheckGamesHeld(const PositionFile& file, const std::vector<int>& numbers,
                    const std::string& path, std::string& error) {
  if (file.games.size() > numbers.size()) {
    error = path + " holds more games than the run plays";
    return false;
  }
  for (size_t i = 0; i < file.games.size(); ++i) {
    if (file.games[i].front().game != static_cast<uint32_t>(numbers[i] - 1)) {
      error = path + " holds game " + std::to_string(file.games[i].front().game) +
              " where the run has game " + std::to_string(numbers[i] - 1);
      return false;
    }
  }
  return true;
}

// Opens the output for appending the games still to play: a new file with
// its head, or the earlier run's file cut after its last whole game.
std::FILE* OpenOutput(const DataRun& run, const std::string& settingsText,
                      const std::vector<int>& numbers, int& gamesHeld, std::string& error) {
  std::error_code failure;
  const bool exists =
      std::filesystem::exists(run.out, failure) && std::filesystem::file_size(run.out, failure) > 0;
  gamesHeld = 0;
  if (!exists) {
    std::string head;
    if (!FileHead(settingsText, head, error)) return nullptr;
    std::FILE* out = std::fopen(run.out.c_str(), "wb");
    if (out == nullptr || std::fwrite(head.data(), 1, head.size(), out) != head.size() ||
        std::fflush(out) != 0) {
      if (out != nullptr) std::fclose(out);
      error = "cannot write " + run.out;
      return nullptr;
    }
    return out;
  }
  PositionFile file;
  if (!ReadPositionFile(run.out, file, error)) return nullptr;
  if (file.settingsText != settingsText) {
    error = run.out + " holds another run; its settings:\n" + file.settingsText + "this run's:\n" +
            settingsText + "(give another --out, or the same settings to resume)";
    return nullptr;
  }
  if (!CheckGamesHeld(file, numbers, run.out, error)) return nullptr;
  // An interrupted game is played again from its start.
  std::filesystem::resize_file(run.out, file.wholeBytes, failure);
  std::FILE* out = failure ? nullptr : std::fopen(run.out.c_str(), "ab");
  if (out == nullptr) {
    error = "cannot write " + run.out;
    return nullptr;
  }
  gamesHeld = static_cast<int>(file.games.size());
  return out;
}

std::map<std::string, std::string> SettingsMap(const std::string& text) {
  std::map<std::string, std::string> values;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    start = end + 1;
  }
  return values;
}

}  // namespace

bool RunData(const DataRun& run, DataOutcome& outcome, std::string& error) {
  outcome = DataOutcome{};
  const std::string settingsText = SettingsText(run.settings);
  const std::vector<int> numbers = RunGames(run.settings);
  int gamesHeld = 0;
  std::FILE* out = OpenOutput(run, settingsText, numbers, gamesHeld, error);
  if (out == nullptr) return false;
  outcome.gamesBefore = gamesHeld;
  const std::vector<int> toPlay(numbers.begin() + gamesHeld, numbers.end());
  const int64_t start = match::platform::NowMilliseconds();
  bool written = true;
  PlayGames(run.settings, toPlay, run.threads, [&](int number, SelfPlayGame& game) {
    written = WriteRecords(out, GameRecords(game, number - 1));
    if (!written) return false;
    ++outcome.gamesPlayed;
    outcome.positions += static_cast<long long>(game.deliveries.size());
    outcome.seconds = static_cast<double>(match::platform::NowMilliseconds() - start) / 1000.0;
    if (run.progress) {
      match::platform::ShowStatusLine(ProgressText(outcome.gamesPlayed,
                                                   static_cast<int>(toPlay.size()),
                                                   outcome.positions, outcome.seconds));
    }
    return true;
  });
  if (run.progress) match::platform::ShowStatusLine("");
  outcome.seconds = static_cast<double>(match::platform::NowMilliseconds() - start) / 1000.0;
  if (std::fclose(out) != 0 || !written) {
    error = "cannot write " + run.out;
    return false;
  }
  return true;
}

bool MergeShards(const std::vector<std::string>& shards, const std::string& out,
                 std::string& error) {
  if (shards.empty()) {
    error = "no shard files to merge";
    return false;
  }
  std::string common;  // the settings but the shard
  std::string merged;  // the settings as the run on one machine writes them
  int shardCount = 0;
  std::set<int> seen;
  std::map<uint32_t, std::vector<PositionRecord>> games;
  for (const std::string& path : shards) {
    PositionFile file;
    if (!ReadPositionFile(path, file, error)) return false;
    std::map<std::string, std::string> values = SettingsMap(file.settingsText);
    int shard = 0;
    int count = 0;
    uint64_t runGames = 0;
    if (!command_line::ReadShare(values["shard"], shard, count) ||
        !command_line::ReadWholeNumber(values["games"], 1, kMostGames, runGames)) {
      error = path + " names no shard of a run of games";
      return false;
    }
    values.erase("shard");
    std::string rest;
    for (const auto& [key, value] : values) rest.append(key).append("=").append(value) += '\n';
    if (common.empty()) {
      common = rest;
      shardCount = count;
    } else if (rest != common || count != shardCount) {
      error = path + " belongs to another run than " + shards.front();
      return false;
    }
    if (!seen.insert(shard).second) {
      error = path + " is shard " + std::to_string(shard) + " again";
      return false;
    }
    match::records::MatchIdentity identity;
    identity.games = static_cast<int>(runGames);
    identity.paired = true;
    const std::vector<int> numbers = match::records::ShardGames(identity, shard, count);
    if (file.games.size() != numbers.size() || file.trailingBytes != 0) {
      error = path + " is not complete: " + std::to_string(file.games.size()) + " of " +
              std::to_string(numbers.size()) + " games (run it again to finish it)";
      return false;
    }
    for (size_t i = 0; i < numbers.size(); ++i) {
      if (file.games[i].front().game != static_cast<uint32_t>(numbers[i] - 1)) {
        error = path + " does not hold its shard's games";
        return false;
      }
      games[file.games[i].front().game] = std::move(file.games[i]);
    }
    // Kept to write the merged header in the order the run writes it.
    if (shard == 1) {
      const size_t at = file.settingsText.find("shard=");
      merged = file.settingsText.substr(0, at) + "shard=1/1\n";
    }
  }
  if (static_cast<int>(seen.size()) != shardCount) {
    error = "the run has " + std::to_string(shardCount) + " shards; " +
            std::to_string(seen.size()) + " given";
    return false;
  }
  std::string head;
  if (!FileHead(merged, head, error)) return false;
  std::FILE* file = std::fopen(out.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(head.data(), 1, head.size(), file) == head.size();
  for (const auto& [index, records] : games) written = written && WriteRecords(file, records);
  if (file == nullptr || std::fclose(file) != 0 || !written) {
    error = "cannot write " + out;
    return false;
  }
  return true;
}

}  // namespace selfplay
