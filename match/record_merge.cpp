#include "match/record_merge.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "match/platform/console.h"
#include "match/records/record_reader.h"
#include "match/records/text_file.h"
#include "match/reports/summary.h"

namespace match {

namespace {

int Refuse(const std::string& reason) {
  platform::WriteProgressLine("curling-match: " + reason);
  return 2;
}

}  // namespace

int MergeRecords(const MatchOptions& options) {
  std::map<int, records::RecordedGame> games;  // by game number
  const records::RecordedGame* reference = nullptr;
  for (const std::string& directory : options.mergeDirectories) {
    std::vector<records::RecordFileName> files;
    std::string reason;
    if (!records::ListGameRecords(directory, files, reason)) return Refuse(reason);
    for (const records::RecordFileName& file : files) {
      records::RecordedGame recorded = records::ReadGameRecord(file.path);
      if (recorded.status != records::RecordStatus::kComplete) {
        platform::WriteProgressLine("warning " + file.path + " skipped: " + recorded.problem);
        continue;
      }
      if (recorded.matchId.empty()) {
        return Refuse(file.path +
                      " has no match id (written by an older runner): it cannot be merged");
      }
      if (reference != nullptr && recorded.matchId != reference->matchId) {
        return Refuse(reference->path + " and " + file.path + " belong to different matches (ids " +
                      reference->matchId + " and " + recorded.matchId + ")");
      }
      const auto [slot, inserted] = games.emplace(file.gameNumber, recorded);
      if (!inserted) {
        return Refuse("game " + std::to_string(file.gameNumber) +
                      " has two records: " + slot->second.path + " and " + file.path);
      }
      reference = &slot->second;
    }
  }
  if (reference == nullptr) return Refuse("no complete game record to merge");

  std::vector<game::GameResult> results;
  results.reserve(games.size());
  for (const auto& [number, recorded] : games) results.push_back(recorded.result);
  const int missing = reference->matchGames - static_cast<int>(games.size());
  if (missing > 0) {
    platform::WriteProgressLine("warning " + std::to_string(missing) + " of " +
                                std::to_string(reference->matchGames) +
                                " games of the match have no complete record");
  }
  reports::StatisticsSettings statistics;
  statistics.paired = reference->paired;
  statistics.sprt = options.sprt;
  statistics.sprtSettings = options.sprtSettings;
  const std::string names[2] = {reference->result.names[0], reference->result.names[1]};
  const reports::MatchSummary summary = reports::Summarise(results, names, statistics);

  std::error_code error;
  std::filesystem::create_directories(options.outputDirectory, error);
  const std::string summaryPath = options.outputDirectory + "/summary.json";
  std::string reason;
  if (error || !records::WriteTextFile(summaryPath, reports::FormatSummaryJson(summary), reason)) {
    platform::WriteProgressLine(
        "curling-match: " +
        (error ? "cannot create " + options.outputDirectory + ": " + error.message() : reason));
    return 1;
  }
  platform::WriteOutputBlock(reports::FormatSummaryText(summary) + "\nsummary:  " + summaryPath +
                             "\n");
  return 0;
}

}  // namespace match
