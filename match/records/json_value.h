// Reading JSON back: enough of it for the runner's own records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct JsonMember;

struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0.0;
  std::string text;  // a string's content, or a number's text as written
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;

  // The member called `key`, or null when absent or not an object.
  const JsonValue* Find(std::string_view key) const;
};

struct JsonMember {
  std::string name;
  JsonValue value;
};

// Parses one JSON value that fills `text` (blanks around it allowed). String
// escapes \uXXXX below 256 become that byte, as JsonString writes them.
bool ParseJson(std::string_view text, JsonValue& value, std::string& error);
