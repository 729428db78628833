// JSON for the records and the summary, through nlohmann/json: the one place
// that decides how text and numbers look in them.
//
// Text is kept byte for byte: each byte is the character of the same number
// (U+0000 to U+00FF), which the writer shows as \u00XX outside printable
// ASCII. Any reply an engine sends survives, valid UTF-8 or not, and a
// standard reader gets the bytes back by taking each character as one byte.
//
// Numbers are written in the fewest digits that read back as the same value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "simulator/curling_api.h"

namespace match::records {

// Keys keep the order they were added in, so lines read as they always have.
using RecordJson = nlohmann::ordered_json;

// Building values.

// `bytes` as a JSON string, byte for byte.
RecordJson JsonBytes(std::string_view bytes);

// A float, held as the double nearest its shortest text: written with that
// text, and read back as the same float.
RecordJson JsonFloat(float value);

// A double as it is; null when it is not finite.
RecordJson JsonDouble(double value);

// A double rounded to `decimals` places; null when it is not finite.
RecordJson JsonRounded(double value, int decimals);

// The sixteen stones as [[x,y],...].
RecordJson JsonStones(const GameState& state);

// One line of JSON without blanks: strings as above, numbers through
// std::to_chars.
std::string JsonText(const RecordJson& value);

// Reading values.

// Parses one JSON value that fills `text` (blanks around it allowed). False
// with what is wrong and where; never throws.
bool ParseJsonText(std::string_view text, RecordJson& value, std::string& error);

// The member called `key`, or null when absent or `object` is not an object.
const RecordJson* JsonMember(const RecordJson& object, std::string_view key);

// Each is false, leaving `out` alone, when the value is missing (null
// pointer) or is not of that kind.
bool ReadJsonInteger(const RecordJson* value, int& out);  // a whole number in int's range
// A whole number written in full: a double would round seeds past 2^53.
bool ReadJsonUnsigned64(const RecordJson* value, uint64_t& out);
bool ReadJsonDouble(const RecordJson* value, double& out);
// Exact for every float JsonFloat wrote.
bool ReadJsonFloat(const RecordJson* value, float& out);
bool ReadJsonBool(const RecordJson* value, bool& out);
// A string's bytes; false also for a character beyond one byte.
bool ReadJsonBytes(const RecordJson* value, std::string& out);

}  // namespace match::records
