// The JSON Lines record of a game: a header, one line per delivery, one per
// end and the result, each written and flushed as soon as it is known.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "match/game/game_flow.h"
#include "match/game/game_result.h"
#include "match/game/game_settings.h"

namespace match::records {

// Version of the record layout, in every header.
inline constexpr int kRecordFormat = 1;

struct RecordFile {
  std::FILE* file = nullptr;
};

bool OpenRecord(const std::string& path, RecordFile& record, std::string& reason);
// Writes one line and flushes it; false when the disk refused it.
bool WriteRecordLine(RecordFile& record, const std::string& line);
void CloseRecord(RecordFile& record);

std::string HeaderLine(const game::GameSettings& settings, const game::GameFlow& flow);

struct DeliveryFacts {
  int player = 0;
  char side = 'A';
  GameState before{};
  std::string reply;  // exactly as received
  ShotVec shot{};     // as parsed from the reply
  int64_t timeMs = 0;
};
// The facts of the delivery that `flow` waits for: who delivers it, with
// which side, from which position, with the reply as received and its shot.
DeliveryFacts NextDeliveryFacts(const game::GameFlow& flow, const std::string& reply,
                                const ShotVec& shot, int64_t timeMs);
std::string DeliveryLine(const DeliveryFacts& facts, const game::DeliveryResult& result);

std::string EndLine(const game::GameFlow& flow, int endScoreA, const std::string& picture);

std::string ResultLine(const game::GameResult& result);

}  // namespace match::records
