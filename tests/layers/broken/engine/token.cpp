// A source whose helpers sit outside the engine's namespace.
#include "engine/token.h"

namespace {

int count = 0;

}  // namespace

namespace engine {

int Length(const Token& token) {
  return token.length + count;
}

}  // namespace engine
