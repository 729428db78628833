// Reading an engine's replies, which come without line ends and possibly in
// pieces: when a reply is complete, and whether it is a legal shot.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "simulator/curling_api.h"

namespace match::engines {

// The fastest release accepted, in m/s: twice a hard peel. A faster reply is
// illegal; no person could throw it.
inline constexpr double kMaxLegalReleaseSpeed = 8.0;

// Longest text taken as one reply; an engine that sends more without
// completing a reply has sent garbage.
inline constexpr size_t kMaxReplyBytes = 512;

enum class ReplyProgress {
  kIncomplete,       // more bytes may still complete it
  kCompleteIfQuiet,  // complete, unless more of its last token follows at once
  kComplete,         // complete; `length` bytes belong to it
  kIllegal,          // no continuation can make this a reply
};

// "READYOK", after any blanks or line ends. Sets `length` when complete.
ReplyProgress ScanReadyReply(std::string_view text, size_t& length);

// "BESTSHOT vx vy spin" after any blanks or line ends: four blank-separated
// tokens, the first of them "BESTSHOT". The reply ends with its fourth token;
// blanks and line ends right after it belong to it. A fourth token of "0" or
// "1" completes the reply at once; any other may still grow until the output
// stays quiet. A line end before the fourth token makes the reply illegal.
// Sets `length` when complete.
ReplyProgress ScanShotReply(std::string_view text, size_t& length);

// Checks a complete shot reply: both velocity components decimal numbers,
// finite, a release speed of at most kMaxLegalReleaseSpeed, and a spin of 0 or 1.
// Fills `shot` (components rounded to float) or says what is wrong.
bool ParseShotReply(std::string_view text, ShotVec& shot, std::string& problem);

}  // namespace match::engines
