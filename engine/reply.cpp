#include "engine/reply.h"

#include <cstdio>
#include <cstring>

#include "engine/platform.h"

namespace engine {

void WriteReply(const char* text) {
  WriteOutput(text, std::strlen(text));
}

int FormatShotReply(const ShotVec& shot, char (&reply)[kReplyCapacity]) {
  const int length =
      std::snprintf(reply, kReplyCapacity, "BESTSHOT %f %f %d", static_cast<double>(shot.vx),
                    static_cast<double>(shot.vy), static_cast<int>(shot.spin));
  // Even two float extremes fit; should they not, the text stays cut but ended.
  return length < 0 ? 0 : (length < static_cast<int>(kReplyCapacity) ? length : kReplyCapacity - 1);
}

void WriteShotReply(const ShotVec& shot) {
  char reply[kReplyCapacity];
  FormatShotReply(shot, reply);
  WriteReply(reply);
}

}  // namespace engine
