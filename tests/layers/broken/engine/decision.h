// The command loop reaching up into the search, and a declaration left
// outside the engine's namespace. Naming int main() in a comment does not make
// this file a program's entry.
#pragma once

#include "engine/token.h"
#include "search/search.h"

namespace engine {

inline const char* kBrace = "} namespace engine {";

}  // namespace engine

int Decide();
