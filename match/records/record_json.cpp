#include "match/records/record_json.h"

#include <cmath>
#include <limits>
#include <utility>

#include "match/engines/number_text.h"

namespace match::records {

namespace {

// The shortest text of `value`. Negative zero keeps its sign only as a
// fraction: "-0" would read back as the whole number 0.
std::string SignedShortestText(double value) {
  if (value == 0.0 && std::signbit(value)) return "-0.0";
  return engines::ShortestText(value);
}

void AppendText(const RecordJson& value, std::string& out) {
  switch (value.type()) {
    case RecordJson::value_t::object: {
      out += '{';
      bool first = true;
      for (const auto& [key, member] : value.items()) {
        if (!first) out += ',';
        first = false;
        out += RecordJson(key).dump(-1, ' ', true);
        out += ':';
        AppendText(member, out);
      }
      out += '}';
      break;
    }
    case RecordJson::value_t::array: {
      out += '[';
      bool first = true;
      for (const RecordJson& item : value) {
        if (!first) out += ',';
        first = false;
        AppendText(item, out);
      }
      out += ']';
      break;
    }
    case RecordJson::value_t::number_float: {
      const double number = value.get<double>();
      out += std::isfinite(number) ? SignedShortestText(number) : "null";
      break;
    }
    default:
      // Strings hold only characters up to U+00FF, so ensure_ascii writes
      // every one beyond printable ASCII as \u00XX.
      out += value.dump(-1, ' ', true);
      break;
  }
}

// Whole numbers that fit `T`, from whichever kind the parser chose.
template <typename T>
bool WholeNumber(const RecordJson* value, T& out) {
  if (value == nullptr) return false;
  if (value->is_number_unsigned()) {
    const auto number = value->get<uint64_t>();
    if (number > static_cast<uint64_t>(std::numeric_limits<T>::max())) return false;
    out = static_cast<T>(number);
    return true;
  }
  if (value->is_number_integer()) {
    const auto number = value->get<int64_t>();
    if (number < static_cast<int64_t>(std::numeric_limits<T>::min()) ||
        (number > 0 &&
         static_cast<uint64_t>(number) > static_cast<uint64_t>(std::numeric_limits<T>::max()))) {
      return false;
    }
    out = static_cast<T>(number);
    return true;
  }
  return false;
}

}  // namespace

RecordJson JsonBytes(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else {
      // The UTF-8 of code point U+0080 to U+00FF.
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return RecordJson(std::move(text));
}

RecordJson JsonFloat(float value) {
  return std::isfinite(value) ? RecordJson(engines::NearestDouble(value)) : RecordJson(nullptr);
}

RecordJson JsonDouble(double value) {
  return std::isfinite(value) ? RecordJson(value) : RecordJson(nullptr);
}

RecordJson JsonRounded(double value, int decimals) {
  if (!std::isfinite(value)) return nullptr;
  const double scale = std::pow(10.0, decimals);
  return RecordJson(std::round(value * scale) / scale);
}

RecordJson JsonStones(const GameState& state) {
  RecordJson stones = RecordJson::array();
  for (const StonePos& stone : state.stones) {
    stones.push_back({JsonFloat(stone.x), JsonFloat(stone.y)});
  }
  return stones;
}

std::string JsonText(const RecordJson& value) {
  std::string text;
  AppendText(value, text);
  return text;
}

bool ParseJsonText(std::string_view text, RecordJson& value, std::string& error) {
  try {
    value = RecordJson::parse(text);
    return true;
  } catch (const RecordJson::parse_error& failure) {
    // "[json.exception.parse_error.101] parse error at line 1, column 6: what".
    const std::string message = failure.what();
    const size_t what = message.find(": ", message.find("parse error"));
    error = (what == std::string::npos ? message : message.substr(what + 2)) + " at byte " +
            std::to_string(failure.byte);
  } catch (const RecordJson::exception& failure) {
    // A number too large for a double ("1e400"): the text parses, the value
    // does not. "[json.exception.out_of_range.406] number overflow parsing '1e400'".
    const std::string message = failure.what();
    const size_t what = message.find("] ");
    error = what == std::string::npos ? message : message.substr(what + 2);
  }
  value = nullptr;
  return false;
}

const RecordJson* JsonMember(const RecordJson& object, std::string_view key) {
  if (!object.is_object()) return nullptr;
  const auto member = object.find(key);
  return member == object.end() ? nullptr : &*member;
}

bool ReadJsonInteger(const RecordJson* value, int& out) {
  if (value != nullptr && value->is_number_float()) {
    // A whole number written as a fraction still counts.
    const double number = value->get<double>();
    if (!(number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max()) ||
        std::trunc(number) != number) {
      return false;
    }
    out = static_cast<int>(number);
    return true;
  }
  return WholeNumber(value, out);
}

bool ReadJsonUnsigned64(const RecordJson* value, uint64_t& out) {
  return WholeNumber(value, out);
}

bool ReadJsonDouble(const RecordJson* value, double& out) {
  if (value == nullptr || !value->is_number()) return false;
  out = value->get<double>();
  return true;
}

bool ReadJsonFloat(const RecordJson* value, float& out) {
  double number = 0.0;
  if (!ReadJsonDouble(value, number)) return false;
  // A float's shortest text can read, as a double, exactly halfway between
  // two floats (7.038531e-26 does), and the cast then takes the even one,
  // which need not be the float written. The float written is the one whose
  // own text gives this double.
  const float nearest = static_cast<float>(number);
  out = nearest;
  if (!std::isfinite(nearest) || engines::NearestDouble(nearest) == number) return true;
  for (const float neighbour :
       {std::nextafter(nearest, -INFINITY), std::nextafter(nearest, INFINITY)}) {
    if (engines::NearestDouble(neighbour) == number) out = neighbour;
  }
  return true;
}

bool ReadJsonBool(const RecordJson* value, bool& out) {
  if (value == nullptr || !value->is_boolean()) return false;
  out = value->get<bool>();
  return true;
}

bool ReadJsonBytes(const RecordJson* value, std::string& out) {
  if (value == nullptr || !value->is_string()) return false;
  const std::string& text = value->get_ref<const std::string&>();
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
      // The parser hands over valid UTF-8: a lead byte C2 or C3 is a
      // character below U+0100.
      bytes +=
          static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
    } else {
      return false;
    }
  }
  out = std::move(bytes);
  return true;
}

}  // namespace match::records
