#include "match/records/json_text.h"

#include <cstdio>

#include "match/engines/number_text.h"

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte >= 0x7f) {
      // A byte of its own, as the code point of the same number.
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string JsonFloat(float value) {
  return ShortestFloat(value);
}

std::string JsonDouble(double value) {
  return ShortestDouble(value);
}

std::string JsonStones(const GameState& state) {
  std::string out = "[";
  for (int i = 0; i < 16; ++i) {
    if (i > 0) out += ',';
    out += '[' + JsonFloat(state.stones[i].x) + ',' + JsonFloat(state.stones[i].y) + ']';
  }
  out += ']';
  return out;
}
