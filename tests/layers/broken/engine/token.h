// Two headers of one folder that include each other; this one keeps to the
// engine's namespace.
#pragma once

#include "engine/decision.h"

namespace engine {

struct Token {
  int length;
};

}  // namespace engine
