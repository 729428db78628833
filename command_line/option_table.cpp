#include "command_line/option_table.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace command_line {

namespace {

// A row with its name, the name of its value in the help, and its help.
Option Row(std::string name, std::string valueName, std::string help) {
  Option option;
  option.name = std::move(name);
  option.valueName = std::move(valueName);
  option.help = std::move(help);
  return option;
}

// "a", "a or b", "a, b or c".
std::string Alternatives(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? " or " : ", ";
    text += words[i];
  }
  return text;
}

// The row's figures in place of {default}, {low}, {high} and {words}.
std::string Fill(const Option& option, std::string text) {
  const std::pair<const char*, std::string> fields[] = {{"{default}", option.defaultText},
                                                        {"{low}", option.lowest},
                                                        {"{high}", option.highest},
                                                        {"{words}", Alternatives(option.words)}};
  for (const auto& [field, value] : fields) {
    for (size_t at = text.find(field); at != std::string::npos; at = text.find(field, at)) {
      text.replace(at, std::char_traits<char>::length(field), value);
      at += value.size();
    }
  }
  return text;
}

Option RealRow(std::string name, std::string valueName, RealRange range, std::string help) {
  Option option = Row(std::move(name), std::move(valueName), std::move(help));
  option.lowest = Figure(range.low);
  option.highest = Figure(range.high);
  option.reason = range.open ? "above {low} and below {high}" : "{low} to {high}";
  return option;
}

bool InRange(double value, RealRange range) {
  return range.open ? value > range.low && value < range.high
                    : value >= range.low && value <= range.high;
}

const Option* Find(const OptionTable& table, std::string_view name) {
  for (const Option& option : table.options) {
    if (option.name == name || (!option.shortName.empty() && option.shortName == name)) {
      return &option;
    }
  }
  return nullptr;
}

std::string Quoted(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : " ") + text;
  return "'" + joined + "'";
}

// Reads one option at `arguments[i]`, moving `i` past its values.
bool ReadOption(const Option& option, const std::string& argument, bool inlineValue,
                const std::string& value, const std::vector<std::string>& arguments, size_t& i,
                std::string& error) {
  std::vector<std::string> texts;
  if (option.valueCount == 0) {
    if (inlineValue) {
      error = option.name + " takes no value";
      return false;
    }
  } else {
    if (inlineValue) texts.push_back(value);
    while (texts.size() < static_cast<size_t>(option.valueCount) && i + 1 < arguments.size()) {
      texts.push_back(arguments[++i]);
    }
    if (texts.size() < static_cast<size_t>(option.valueCount)) {
      error = option.valueCount == 1
                  ? "missing value for " + argument
                  : "missing values for " + option.name + " (" + option.valueName + ")";
      return false;
    }
  }
  const std::string expected = Fill(option, option.reason);
  std::string reason = expected;
  if (!option.read(texts, reason)) {
    error = std::string(texts.size() > 1 ? "invalid values " : "invalid value ") + Quoted(texts) +
            " for " + option.name;
    // What the option takes, or what the reader found wrong.
    if (reason != expected) {
      error += ": " + reason;
    } else if (!reason.empty()) {
      error += " (" + reason + ")";
    }
    return false;
  }
  return true;
}

}  // namespace

bool ReadRealNumber(const std::string& text, double& value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  char* end = nullptr;
  const double read = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(read)) return false;
  value = read;
  return true;
}

std::string Figure(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

Option Flag(std::string name, bool& target, std::string help) {
  Option option;
  option.name = std::move(name);
  option.valueCount = 0;
  option.help = std::move(help);
  option.read = [&target](const std::vector<std::string>&, std::string&) {
    target = true;
    return true;
  };
  return option;
}

Option Text(std::string name, std::string valueName, std::string& target, std::string help) {
  Option option = Row(std::move(name), std::move(valueName), std::move(help));
  option.defaultText = target;
  option.read = [&target](const std::vector<std::string>& texts, std::string&) {
    if (texts[0].empty()) return false;
    target = texts[0];
    return true;
  };
  return option;
}

Option Custom(std::string name, std::string valueName, ValueReader read, std::string help) {
  Option option = Row(std::move(name), std::move(valueName), std::move(help));
  option.read = std::move(read);
  return option;
}

Option WholeNumberRow(std::string name, std::string valueName, uint64_t low, uint64_t high,
                      std::string help) {
  Option option = Row(std::move(name), std::move(valueName), std::move(help));
  option.lowest = std::to_string(low);
  option.highest = high == kLargestWholeNumber ? "2^64-1" : std::to_string(high);
  option.reason = "a whole number from {low} to {high}";
  return option;
}

Option Share(std::string name, int& share, int& shares, std::string help) {
  Option option;
  option.name = std::move(name);
  option.valueName = "K/N";
  option.help = std::move(help);
  option.reason = "K/N: share K of N, 1 <= K <= N";
  option.read = [&share, &shares](const std::vector<std::string>& texts, std::string&) {
    return ReadShare(texts[0], share, shares);
  };
  return option;
}

Option SignedWholeNumber(std::string name, std::string valueName, int low, int high, int& target,
                         std::string help) {
  Option option = Row(std::move(name), std::move(valueName), std::move(help));
  option.lowest = std::to_string(low);
  option.highest = std::to_string(high);
  option.defaultText = std::to_string(target);
  option.reason = "a whole number from {low} to {high}";
  option.read = [&target, low, high](const std::vector<std::string>& texts, std::string&) {
    const std::string& text = texts[0];
    const bool negative = !text.empty() && text[0] == '-';
    uint64_t magnitude = 0;
    if (!ReadWholeNumber(std::string_view(text).substr(negative ? 1 : 0), 0,
                         static_cast<uint64_t>(std::numeric_limits<int>::max()), magnitude)) {
      return false;
    }
    const int64_t value =
        negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value < low || value > high) return false;
    target = static_cast<int>(value);
    return true;
  };
  return option;
}

Option RealNumber(std::string name, std::string valueName, RealRange range, double& target,
                  std::string help) {
  Option option = RealRow(std::move(name), std::move(valueName), range, std::move(help));
  option.defaultText = Figure(target);
  option.read = [&target, range](const std::vector<std::string>& texts, std::string&) {
    double value = 0.0;
    if (!ReadRealNumber(texts[0], value) || !InRange(value, range)) return false;
    target = value;
    return true;
  };
  return option;
}

Option RealNumber(std::string name, std::string valueName, RealRange range, float& target,
                  std::string help) {
  Option option = RealRow(std::move(name), std::move(valueName), range, std::move(help));
  option.defaultText = Figure(static_cast<double>(target));
  option.read = [&target, range](const std::vector<std::string>& texts, std::string&) {
    double value = 0.0;
    if (!ReadRealNumber(texts[0], value) || !InRange(value, range)) return false;
    target = static_cast<float>(value);
    return true;
  };
  return option;
}

bool ParsedCommandLine::Gave(std::string_view name) const {
  return std::find(given.begin(), given.end(), name) != given.end();
}

bool ParseCommandLine(const OptionTable& table, int argc, const char* const* argv,
                      ParsedCommandLine& parsed, std::string& error) {
  return ParseCommandLine(table, std::vector<std::string>(argv, argv + argc), parsed, error);
}

bool ParseCommandLine(const OptionTable& table, const std::vector<std::string>& arguments,
                      ParsedCommandLine& parsed, std::string& error) {
  parsed = ParsedCommandLine{};
  if (table.positionals != nullptr) table.positionals->clear();
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      parsed.help = true;
      return true;
    }
    if (argument.size() < 2 || argument[0] != '-') {
      if (table.positionals == nullptr || table.positionals->size() >= table.mostPositionals) {
        error = "unknown argument '" + argument + "'";
        return false;
      }
      table.positionals->push_back(argument);
      continue;
    }
    std::string name = argument;
    std::string value;
    const size_t equals = argument.find('=');
    const bool inlineValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
    if (inlineValue) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
    }
    const Option* option = Find(table, name);
    if (option == nullptr) {
      error = "unknown argument '" + argument + "'";
      return false;
    }
    if (!ReadOption(*option, name, inlineValue, value, arguments, i, error)) return false;
    if (option->given != nullptr) *option->given = true;
    if (!parsed.Gave(option->name)) parsed.given.push_back(option->name);
  }
  for (const Option& option : table.options) {
    if (option.required && !parsed.Gave(option.name)) {
      error = option.name + " is required";
      return false;
    }
  }
  if (table.positionals != nullptr && table.positionals->size() < table.fewestPositionals) {
    error = "missing " + table.positionalName;
    return false;
  }
  return true;
}

std::string OptionsHelp(const OptionTable& table) {
  const auto column = static_cast<size_t>(table.helpColumn);
  std::string text;
  std::string label;
  const auto row = [&text, &label, column](const std::string& help) {
    text += "  " + label;
    if (2 + label.size() + 2 <= column) {
      text.append(column - 2 - label.size(), ' ');
    } else {
      text += '\n';
      text.append(column, ' ');
    }
    for (size_t start = 0;;) {
      const size_t end = help.find('\n', start);
      text += help.substr(start, end - start) + "\n";
      if (end == std::string::npos) break;
      start = end + 1;
      text.append(column, ' ');
    }
    label.clear();
  };
  for (const Option& option : table.options) {
    if (!label.empty()) label += ", ";
    if (!option.shortName.empty()) label += option.shortName + ", ";
    label += option.name;
    if (!option.valueName.empty()) label += " " + option.valueName;
    if (!option.help.empty()) row(Fill(option, option.help));
  }
  label = "--help";
  row("this text");
  return text;
}

std::string Synopsis(const OptionTable& table, size_t column, size_t indent, size_t width) {
  std::vector<std::string> items;
  const auto shown = [](const Option& option) {
    std::string item = option.shortName.empty() ? option.name : option.shortName;
    if (!option.words.empty()) {
      std::string words;
      for (const std::string& word : option.words) words += (words.empty() ? "" : "|") + word;
      item += " " + words;
    } else if (!option.valueName.empty()) {
      item += " " + option.valueName;
    }
    return item;
  };
  for (const Option& option : table.options) {
    if (option.required) items.push_back(shown(option));
  }
  if (table.positionals != nullptr) items.push_back(table.positionalName);
  for (const Option& option : table.options) {
    if (!option.required) items.push_back("[" + shown(option).append("]"));
  }
  std::string text;
  size_t at = column;
  for (const std::string& item : items) {
    const bool first = text.empty();
    if (!first && width > 0 && at + 1 + item.size() > width) {
      text += '\n';
      text.append(indent, ' ');
      at = indent;
    } else if (!first) {
      text += " ";
      ++at;
    }
    text += item;
    at += item.size();
  }
  return text;
}

}  // namespace command_line
