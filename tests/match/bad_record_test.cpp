// Records that were cut short, damaged, or never were records: replaying and
// reading them back name the file and the line, and nothing breaks. And the
// names of a game's files, by which a directory's records are found.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "match/records/game_files.h"
#include "match/records/record_reader.h"
#include "match/records/replay.h"
#include "match/referee.h"
#include "tests/match/match_test_support.h"
#include "tests/test_locations.h"

using namespace match;
using namespace match::game;
using namespace match::platform;
using namespace match::records;

namespace {

const std::string kFake = test_locations::kFakeEngine;

// `text` with the first `from` after `after` replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to,
                     const std::string& after = "") {
  const size_t at = text.find(from, text.find(after));
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The first `count` lines of `text`.
std::string Lines(const std::string& text, int count) {
  size_t at = 0;
  for (int i = 0; i < count; ++i) at = text.find('\n', at) + 1;
  return text.substr(0, at);
}

struct BadRecord {
  const char* name;
  std::function<std::string(const std::string&)> damage;
  const char* replayed;  // what the replay says, after the file's name
  RecordStatus status;   // what reading it back to resume or merge finds
  const char* read;
};

TEST(BadRecords, AreNamedByFileAndLineAndNothingBreaks) {
  const std::string directory = ScratchDirectory();
  GameResult result;
  std::string error;
  // One end of sixteen stones: the header, lines 2 to 17, the end, the result.
  ASSERT_TRUE(
      PlayGame(QuickGame(kFake + " --plan o", kFake + " --plan a", directory, 1), result, error))
      << error;
  const std::string record = ReadFile(result.recordPath);
  std::string report;
  ASSERT_TRUE(ReplayRecord(result.recordPath, report)) << report;
  ASSERT_EQ(ReadGameRecord(result.recordPath).status, RecordStatus::kComplete);

  const std::vector<BadRecord> bad = {
      {"cut", [](const std::string& r) { return Lines(r, 3) + r.substr(Lines(r, 3).size(), 40); },
       ": line 4: syntax error", RecordStatus::kIncomplete, "its last line, 4, is cut short"},
      {"broken",
       [](const std::string& r) { return Lines(r, 2) + "{\"type\":\"delivery\",,}\n" + r; },
       ": line 3: syntax error", RecordStatus::kCorrupt, "line 3: syntax error"},
      {"binary",
       [](const std::string&) {
         return std::string(
             "\x7f"
             "ELF\x02\x01\xff\xfe\n\0\0",
             11);
       },
       ": line 1: syntax error", RecordStatus::kCorrupt, "line 1: syntax error"},
      {"text ends",
       [](const std::string& r) { return Replaced(r, "\"ends\":1", "\"ends\":\"1\""); },
       ": line 1: header incomplete", RecordStatus::kCorrupt, "line 1: unreadable header"},
      // The replay and the reading back take a header the same way.
      {"fractional seed",
       [](const std::string& r) { return Replaced(r, "\"seed\":2026", "\"seed\":2026.5"); },
       ": line 1: header incomplete", RecordStatus::kCorrupt, "line 1: unreadable header"},
      {"sides disagree",
       [](const std::string& r) { return Replaced(r, "\"sideA\":1", "\"sideA\":2"); },
       ": line 1: header incomplete", RecordStatus::kCorrupt, "line 1: unreadable header"},
      {"eleven ends",
       [](const std::string& r) { return Replaced(r, "\"ends\":1,", "\"ends\":11,"); },
       ": line 1: header incomplete", RecordStatus::kCorrupt, "line 1: unreadable header"},
      {"nameless",
       [](const std::string& r) { return Replaced(r, "\"name\":\"second\"", "\"n\":0"); },
       ": line 1: header incomplete", RecordStatus::kCorrupt, "line 1: unreadable header"},
      {"other format",
       [](const std::string& r) { return Replaced(r, "\"format\":1", "\"format\":2"); },
       ": line 1: unknown record format", RecordStatus::kCorrupt, "line 1: unreadable header"},
      {"other JSON",
       [](const std::string&) { return std::string("{\"name\":\"x\",\"version\":1}\n"); },
       ": line 1: the record does not start with its header", RecordStatus::kCorrupt,
       "line 1: unreadable header"},
      {"array line", [](const std::string& r) { return Lines(r, 1) + "[1,2,3]\n"; },
       ": line 2: unknown line type", RecordStatus::kIncomplete, "it has no result"},
      {"text end number",
       [](const std::string& r) { return Replaced(r, "\"end\":0", "\"end\":\"0\""); },
       ": line 2: delivery line incomplete", RecordStatus::kComplete, ""},
      {"end out of range",
       [](const std::string& r) { return Replaced(r, "\"end\":0", "\"end\":1e300"); },
       ": line 2: delivery line incomplete", RecordStatus::kComplete, ""},
      {"no stones after",
       [](const std::string& r) { return Replaced(r, "\"after\":", "\"afterwards\":"); },
       ": line 2: end 0 shot 0: position after differs: stones missing", RecordStatus::kComplete,
       ""},
      {"stones a text",
       [](const std::string& r) { return Replaced(r, "\"before\":", "\"before\":\"x\",\"b\":"); },
       ": line 2: end 0 shot 0: position before differs: stones missing", RecordStatus::kComplete,
       ""},
      {"number reply",
       [](const std::string& r) { return Replaced(r, "\"reply\":", "\"reply\":5,\"r\":"); },
       ": line 2: end 0 shot 0: the recorded reply is not a legal shot", RecordStatus::kComplete,
       ""},
      {"no points",
       [](const std::string& r) {
         return Replaced(r, "\"points\":", "\"p\":", "\"type\":\"result\"");
       },
       ": line 19: the result's points differ", RecordStatus::kCorrupt,
       "line 19: unreadable result"},
      {"after the result", [](const std::string& r) { return r + Lines(r, 1); },
       ": line 20: a line after the result", RecordStatus::kCorrupt, "line 20 after the result"},
      {"deep", [](const std::string&) { return std::string(200000, '[') + "\n"; },
       ": line 1: syntax error", RecordStatus::kCorrupt, "line 1: syntax error"},
      {"empty", [](const std::string&) { return std::string(); },
       ": line 1: the file is empty, not a game record", RecordStatus::kIncomplete, "it is empty"},
  };
  for (const BadRecord& damaged : bad) {
    const std::string path = directory + "/" + damaged.name + ".jsonl";
    std::ofstream(path, std::ios::binary) << damaged.damage(record);
    EXPECT_FALSE(ReplayRecord(path, report)) << damaged.name;
    EXPECT_EQ(report.rfind(path + damaged.replayed, 0), 0u) << damaged.name << ": " << report;
    const RecordedGame read = ReadGameRecord(path);
    EXPECT_EQ(read.status, damaged.status) << damaged.name << ": " << read.problem;
    EXPECT_EQ(read.problem.rfind(damaged.read, 0), 0u) << damaged.name << ": " << read.problem;
  }

  // The runner says so with status 1, for a missing file and a directory too.
  for (const std::string& path : {directory + "/cut.jsonl", directory + "/other JSON.jsonl",
                                  directory + "/none.jsonl", directory}) {
    ChildProcess runner = StartRunner({"--replay", path}, directory);
    EXPECT_EQ(WaitForExit(runner, 30), 1) << path;
    EXPECT_NE(ReadFile(directory + "/stderr").find(path), std::string::npos) << path;
  }
}

TEST(GameFiles, ARecordIsFoundByItsNameAndAGameRemovedWithAllItsFiles) {
  EXPECT_EQ(RecordName(7), "game-007.jsonl");
  EXPECT_EQ(RecordName(1234), "game-1234.jsonl");
  EXPECT_EQ(EndPictureName(12, 0), "game-012-end-1.svg");
  EXPECT_EQ(ErrorLogName(3, 1), "game-003-player-2.stderr");

  const std::string directory = ScratchDirectory();
  // Records of games 0, 2, 12 and 1234567, then names that only look like
  // records: too few or too many digits, a sign, another suffix, a prefix.
  for (const char* name :
       {"game-012.jsonl", "game-002.jsonl", "game-1234567.jsonl", "game-000.jsonl", "game-12.jsonl",
        "game-12345678.jsonl", "game-+12.jsonl", "game-012.json", "game-012.jsonl.tmp",
        "xgame-012.jsonl", "game-012-end-1.svg", "game-002-end-1.svg", "game-002-player-1.stderr",
        "game-0020.jsonl"}) {
    std::ofstream(directory + "/" + name) << "x";
  }
  std::vector<RecordFileName> records;
  std::string reason;
  ASSERT_TRUE(ListGameRecords(directory, records, reason)) << reason;
  std::vector<int> numbers(records.size());
  for (size_t i = 0; i < records.size(); ++i) numbers[i] = records[i].gameNumber;
  EXPECT_EQ(numbers, (std::vector<int>{0, 2, 12, 20, 1234567}));
  EXPECT_EQ(records[1].path, directory + "/game-002.jsonl");

  // Game 2's record, picture and log go; game 20's record, which starts the
  // same, stays.
  RemoveGameFiles(directory, 2);
  for (const char* gone : {"game-002.jsonl", "game-002-end-1.svg", "game-002-player-1.stderr"}) {
    EXPECT_FALSE(std::filesystem::exists(directory + "/" + gone)) << gone;
  }
  for (const char* kept : {"game-0020.jsonl", "game-012-end-1.svg", "game-012.jsonl"}) {
    EXPECT_TRUE(std::filesystem::exists(directory + "/" + kept)) << kept;
  }
  EXPECT_FALSE(ListGameRecords(directory + "/none", records, reason));
}

// The executed release, recorded by another build whose maths library rounds
// the execution error's sine or logarithm a unit apart (the play page's),
// still replays when the positions agree; a release farther off does not.
// The difference is counted in units of the release's speed: a component
// near zero (a draw aimed almost straight down the sheet) comes out of a
// rotation as the difference of two larger terms, so a unit of the sine
// moves it by many units of its own.
TEST(BadRecords, AnExecutedReleaseMayDifferInItsLastUnitsOnly) {
  const std::string directory = ScratchDirectory();
  GameResult result;
  std::string error;
  ASSERT_TRUE(
      PlayGame(QuickGame(kFake + " --plan o", kFake + " --plan a", directory, 1), result, error))
      << error;
  const std::string record = ReadFile(result.recordPath);
  const std::string key = "\"executed\":{\"vx\":";
  const size_t at = record.find(key) + key.size();
  const size_t end = record.find(',', at);
  const double vx = std::strtod(record.substr(at, end - at).c_str(), nullptr);
  const std::string yKey = "\"vy\":";
  const size_t yAt = record.find(yKey, end) + yKey.size();
  const double vy = std::strtod(record.substr(yAt, record.find('}', yAt) - yAt).c_str(), nullptr);
  const double unit = std::numeric_limits<double>::epsilon() * std::hypot(vx, vy);
  ASSERT_NE(vy, 0.0);
  // Set to a few units of the speed, vx is many units of its own away
  // from where it was: the case a relative test of the component refused.
  for (const auto& [units, replays] : {std::pair{1.0, true}, {3.0, true}, {64.0, false}}) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", vx + units * unit);
    std::string changed = record;
    changed.replace(at, end - at, text);
    const std::string path = directory + "/nudged.jsonl";
    std::ofstream(path, std::ios::binary) << changed;
    std::string report;
    EXPECT_EQ(ReplayRecord(path, report), replays) << units << " units: " << report;
    if (!replays) {
      EXPECT_NE(report.find("the executed release differs"), std::string::npos) << report;
    }
  }
}

}  // namespace
