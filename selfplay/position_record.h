// The self-play data file's layout, its one home: a fixed header with the
// run's settings, then one record for every position before a delivery.
// docs/selfplay.md describes it for readers in other languages.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace selfplay {

// The records are written as they lie in memory.
static_assert(std::endian::native == std::endian::little, "the file is little-endian");

inline constexpr char kPositionFileMagic[8] = {'C', 'U', 'R', 'L', 'P', 'O', 'S', '1'};

// The first 16 bytes of the file.
struct PositionFileHeader {
  char magic[8];
  uint32_t recordSize;
  uint32_t reserved;  // 0
};
static_assert(sizeof(PositionFileHeader) == 16);
static_assert(offsetof(PositionFileHeader, recordSize) == 8);

// The run's settings follow the header as "key=value" lines, padded with NUL
// bytes up to the first record, so that a resumed run, the shards and the
// merge can check that files belong to the same run.
inline constexpr size_t kSettingsOffset = sizeof(PositionFileHeader);
inline constexpr size_t kRecordsOffset = 1024;
inline constexpr size_t kSettingsCapacity = kRecordsOffset - kSettingsOffset;

// Bits of PositionRecord::flags.
inline constexpr uint8_t kExploredFlag = 1;       // the delivery from here was an exploration move
inline constexpr uint8_t kPlayer2HammerFlag = 2;  // the run's second player has the hammer

#pragma pack(push, 1)
struct PositionRecord {
  uint32_t game;      // index of the game in the run, from 0
  uint8_t end;        // from 0
  uint8_t shot;       // stones delivered so far in the end: the position is before delivery `shot`
  uint8_t lastEnd;    // the last regular end
  uint8_t flags;      // kExploredFlag, kPlayer2HammerFlag
  int8_t lead;        // the hammer side's points minus the other's, before this end
  int8_t endScore;    // the hammer side's score in this end (negative: stolen)
  int8_t result;      // the game for the hammer side: +1 won, 0 drawn, -1 lost
  uint8_t reserved1;  // 0
  float stones[32];   // x, y of the 16 slots (slot i: delivery i of the end); 0, 0 not in play
  float vx;           // the shot delivered from here, as asked, before execution error
  float vy;
  uint8_t spin;
  uint8_t reserved2[3];  // 0
};
#pragma pack(pop)

inline constexpr uint32_t kPositionRecordSize = 152;
static_assert(sizeof(PositionRecord) == kPositionRecordSize);
static_assert(offsetof(PositionRecord, game) == 0);
static_assert(offsetof(PositionRecord, end) == 4);
static_assert(offsetof(PositionRecord, shot) == 5);
static_assert(offsetof(PositionRecord, lastEnd) == 6);
static_assert(offsetof(PositionRecord, flags) == 7);
static_assert(offsetof(PositionRecord, lead) == 8);
static_assert(offsetof(PositionRecord, endScore) == 9);
static_assert(offsetof(PositionRecord, result) == 10);
static_assert(offsetof(PositionRecord, stones) == 12);
static_assert(offsetof(PositionRecord, vx) == 140);
static_assert(offsetof(PositionRecord, vy) == 144);
static_assert(offsetof(PositionRecord, spin) == 148);

}  // namespace selfplay
