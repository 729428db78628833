#include "engine/token.h"

namespace engine {

bool GetToken(char (&token)[kTokenCapacity], const char* line, int index) {
  const char* cursor = line;
  while (*cursor == ' ') ++cursor;
  for (int skipped = 0; skipped < index; ++skipped) {
    while (*cursor != ' ') {
      if (*cursor == '\0') return false;
      ++cursor;
    }
    while (*cursor == ' ') ++cursor;
  }
  size_t length = 0;
  while (cursor[length] != ' ' && cursor[length] != '\0' && length + 1 < kTokenCapacity) {
    token[length] = cursor[length];
    ++length;
  }
  token[length] = '\0';
  return true;
}

}  // namespace engine
