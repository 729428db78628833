#include "match/records/json_value.h"

#include <cstdlib>
#include <utility>

namespace {

struct Reader {
  std::string_view text;
  size_t at = 0;
  std::string error;
  int depth = 0;

  void SkipSpace() {
    while (at < text.size() &&
           (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r')) {
      ++at;
    }
  }

  bool Fail(const char* what) {
    if (error.empty()) error = std::string(what) + " at byte " + std::to_string(at);
    return false;
  }

  bool Literal(std::string_view word) {
    if (text.substr(at, word.size()) != word) return Fail("unknown word");
    at += word.size();
    return true;
  }

  bool Hex(unsigned& code) {
    if (at + 4 > text.size()) return Fail("short escape");
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text[at++];
      code <<= 4;
      if (c >= '0' && c <= '9') {
        code |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        code |= static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        code |= static_cast<unsigned>(c - 'A' + 10);
      } else {
        return Fail("bad escape");
      }
    }
    return true;
  }

  bool String(std::string& out) {
    ++at;  // the opening quote
    for (;;) {
      if (at >= text.size()) return Fail("unterminated string");
      const char c = text[at++];
      if (c == '"') return true;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at >= text.size()) return Fail("unterminated string");
      const char e = text[at++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          unsigned code = 0;
          if (!Hex(code)) return false;
          if (code > 0xff) return Fail("escape beyond one byte");
          out += static_cast<char>(code);
          break;
        }
        default:
          return Fail("bad escape");
      }
    }
  }

  bool Number(JsonValue& value) {
    const size_t start = at;
    while (at < text.size() &&
           std::string_view("+-0123456789.eE").find(text[at]) != std::string_view::npos) {
      ++at;
    }
    value.kind = JsonValue::Kind::kNumber;
    value.text = std::string(text.substr(start, at - start));
    char* end = nullptr;
    value.number = std::strtod(value.text.c_str(), &end);
    if (value.text.empty() || end != value.text.c_str() + value.text.size()) {
      return Fail("bad number");
    }
    return true;
  }

  bool Value(JsonValue& value) {
    if (++depth > 64) return Fail("nested too deeply");
    SkipSpace();
    if (at >= text.size()) return Fail("missing value");
    const char c = text[at];
    bool ok;
    if (c == '{') {
      ok = Object(value);
    } else if (c == '[') {
      ok = Array(value);
    } else if (c == '"') {
      value.kind = JsonValue::Kind::kString;
      ok = String(value.text);
    } else if (c == 't' || c == 'f') {
      value.kind = JsonValue::Kind::kBool;
      value.boolean = c == 't';
      ok = Literal(c == 't' ? "true" : "false");
    } else if (c == 'n') {
      value.kind = JsonValue::Kind::kNull;
      ok = Literal("null");
    } else {
      ok = Number(value);
    }
    --depth;
    return ok;
  }

  bool Array(JsonValue& value) {
    value.kind = JsonValue::Kind::kArray;
    ++at;
    SkipSpace();
    if (at < text.size() && text[at] == ']') {
      ++at;
      return true;
    }
    for (;;) {
      value.items.emplace_back();
      if (!Value(value.items.back())) return false;
      SkipSpace();
      if (at < text.size() && text[at] == ',') {
        ++at;
      } else if (at < text.size() && text[at] == ']') {
        ++at;
        return true;
      } else {
        return Fail("expected , or ]");
      }
    }
  }

  bool Object(JsonValue& value) {
    value.kind = JsonValue::Kind::kObject;
    ++at;
    SkipSpace();
    if (at < text.size() && text[at] == '}') {
      ++at;
      return true;
    }
    for (;;) {
      SkipSpace();
      if (at >= text.size() || text[at] != '"') return Fail("expected a member name");
      std::string key;
      if (!String(key)) return false;
      SkipSpace();
      if (at >= text.size() || text[at] != ':') return Fail("expected :");
      ++at;
      value.members.push_back(JsonMember{std::move(key), JsonValue{}});
      if (!Value(value.members.back().value)) return false;
      SkipSpace();
      if (at < text.size() && text[at] == ',') {
        ++at;
      } else if (at < text.size() && text[at] == '}') {
        ++at;
        return true;
      } else {
        return Fail("expected , or }");
      }
    }
  }
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const JsonMember& member : members) {
    if (member.name == key) return &member.value;
  }
  return nullptr;
}

bool ParseJson(std::string_view text, JsonValue& value, std::string& error) {
  Reader reader;
  reader.text = text;
  value = JsonValue{};
  if (!reader.Value(value)) {
    error = reader.error;
    return false;
  }
  reader.SkipSpace();
  if (reader.at != text.size()) {
    error = "text after the value at byte " + std::to_string(reader.at);
    return false;
  }
  return true;
}
