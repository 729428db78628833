// Pieces of JSON text for the records and the summary.
#pragma once

#include <string>
#include <string_view>

#include "simulator/curling_api.h"

// `text` as a JSON string, quotes included; bytes that are not printable
// ASCII become \u escapes, so that any reply an engine sends is kept exactly.
std::string JsonString(std::string_view text);

// A float in the fewest digits (at most nine) that give it back exactly.
std::string JsonFloat(float value);

// A double in the fewest digits (at most seventeen) that give it back exactly.
std::string JsonDouble(double value);

// The sixteen stones as [[x,y],...].
std::string JsonStones(const GameState& state);
