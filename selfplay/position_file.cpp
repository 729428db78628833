#include "selfplay/position_file.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "match/game/game_flow.h"

namespace selfplay {

namespace {

int8_t Sign(int value) {
  return static_cast<int8_t>(value > 0 ? 1 : (value < 0 ? -1 : 0));
}

}  // namespace

std::vector<PositionRecord> GameRecords(const SelfPlayGame& game, int gameIndex) {
  std::vector<PositionRecord> records;
  records.reserve(game.deliveries.size());
  const match::game::LineScore& score = game.score;
  const int finalMargin = score.points[1] - score.points[0];  // for player 2
  for (const PlayedDelivery& delivery : game.deliveries) {
    const GameState& before = delivery.before;
    const int end = before.currentEnd;
    const int hammer = HammerPlayer(score, end);
    PositionRecord record{};
    record.game = static_cast<uint32_t>(gameIndex);
    record.end = static_cast<uint8_t>(end);
    record.shot = static_cast<uint8_t>(before.shotNumber);
    record.lastEnd = static_cast<uint8_t>(score.regularEnds - 1);
    record.flags = static_cast<uint8_t>((delivery.explored ? kExploredFlag : 0) |
                                        (hammer == 1 ? kPlayer2HammerFlag : 0));
    record.lead = static_cast<int8_t>(LeadBefore(score, hammer, end));
    record.endScore =
        static_cast<int8_t>(score.endPoints[end][hammer] - score.endPoints[end][1 - hammer]);
    record.result = Sign(hammer == 1 ? finalMargin : -finalMargin);
    for (int i = 0; i < 16; ++i) {
      record.stones[2 * i] = before.stones[i].x;
      record.stones[2 * i + 1] = before.stones[i].y;
    }
    record.vx = delivery.shot.vx;
    record.vy = delivery.shot.vy;
    record.spin = delivery.shot.spin;
    records.push_back(record);
  }
  return records;
}

bool FileHead(const std::string& settingsText, std::string& head, std::string& error) {
  // One NUL at least ends the text.
  if (settingsText.size() >= kSettingsCapacity) {
    error = "the run's settings take " + std::to_string(settingsText.size()) +
            " bytes; the header holds " + std::to_string(kSettingsCapacity - 1);
    return false;
  }
  PositionFileHeader header{};
  std::memcpy(header.magic, kPositionFileMagic, sizeof header.magic);
  header.recordSize = kPositionRecordSize;
  head.assign(kRecordsOffset, '\0');
  std::memcpy(head.data(), &header, sizeof header);
  std::memcpy(head.data() + kSettingsOffset, settingsText.data(), settingsText.size());
  return true;
}

bool WholeGame(const std::vector<PositionRecord>& records) {
  if (records.empty() || records.size() % 16 != 0) return false;
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].end != i / 16 || records[i].shot != i % 16) return false;
  }
  const PositionRecord& last = records.back();
  const int endsPlayed = last.end + 1;
  // The game goes on after a tie at the regular ends, up to the tenth end.
  const bool decided = endsPlayed >= last.lastEnd + 1 && last.lead + last.endScore != 0;
  return decided || endsPlayed >= match::game::kMaxEnds;
}

bool ReadPositionFile(const std::string& path, PositionFile& file, std::string& error) {
  file = PositionFile{};
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  PositionFileHeader header{};
  if (bytes.size() >= sizeof header) std::memcpy(&header, bytes.data(), sizeof header);
  if (bytes.size() < kRecordsOffset ||
      std::memcmp(header.magic, kPositionFileMagic, sizeof header.magic) != 0) {
    error = path + " is not a self-play data file";
    return false;
  }
  if (header.recordSize != kPositionRecordSize || header.reserved != 0) {
    error = path + " has records of " + std::to_string(header.recordSize) +
            " bytes; this program reads records of " + std::to_string(kPositionRecordSize);
    return false;
  }
  const char* settings = bytes.data() + kSettingsOffset;
  file.settingsText.assign(settings, strnlen(settings, kSettingsCapacity));

  std::vector<PositionRecord> game;
  file.wholeBytes = kRecordsOffset;
  for (size_t at = kRecordsOffset; at + kPositionRecordSize <= bytes.size();
       at += kPositionRecordSize) {
    PositionRecord record{};
    std::memcpy(&record, bytes.data() + at, kPositionRecordSize);
    if (!game.empty() && record.game != game.front().game) {
      // Games are written whole: only the last may be cut short.
      if (!WholeGame(game)) break;
      file.games.push_back(std::move(game));
      file.wholeBytes = at;
      game.clear();
    }
    game.push_back(record);
  }
  if (WholeGame(game)) {
    file.wholeBytes += game.size() * kPositionRecordSize;
    file.games.push_back(std::move(game));
  }
  file.trailingBytes = bytes.size() - file.wholeBytes;
  return true;
}

bool WriteRecords(std::FILE* out, const std::vector<PositionRecord>& records) {
  const size_t written = std::fwrite(records.data(), kPositionRecordSize, records.size(), out);
  return written == records.size() && std::fflush(out) == 0;
}

}  // namespace selfplay
