// A program's options as one table. Each row is an option: its name, the value
// it takes (none for a flag, a whole number or a real number in a range, one of
// some words, a text, or a value the program reads itself), its default and its
// help. The parser, its messages for what it refuses, the options part of
// --help and the synopsis of the usage line all come from the table.
//
//   --name value, --name=value, -n value; --help and -h ask for the help; an
//   option given twice keeps its last value; the words that are not options
//   are the table's positionals.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "command_line/whole_number.h"

namespace command_line {

// Reads an option's value (its texts: one, or as many as the option takes)
// into the option's target. False when the value is refused; `reason` holds
// what the option takes, and the reader may put what it found wrong in its
// place: "invalid value 'V' for --name (what it takes)", or
// "invalid value 'V' for --name: what is wrong".
using ValueReader = std::function<bool(const std::vector<std::string>& texts, std::string& reason)>;

struct Option {
  std::string name;                // "--seed"
  std::string shortName;           // "-o", or empty
  std::string valueName;           // "N" in the help; empty for a flag
  int valueCount = 1;              // the texts it takes: 0 for a flag
  std::vector<std::string> words;  // a choice's values, which the synopsis shows
  std::string lowest;              // a number's range as the texts show it: {low}
  std::string highest;             // {high}
  std::string defaultText;         // the default as the help shows it: {default}
  std::string reason;              // why a value is refused: "1 to 32"
  std::string help;  // its lines, '\n' between; empty: the next row's help covers this one too
  bool required = false;
  ValueReader read;
  bool* given = nullptr;  // set when the option is given

  Option& Short(std::string text) { return shortName = std::move(text), *this; }
  Option& Default(std::string text) { return defaultText = std::move(text), *this; }
  Option& Reason(std::string text) { return reason = std::move(text), *this; }
  Option& Shows(std::string text) { return valueName = std::move(text), *this; }
  Option& Takes(int count) { return valueCount = count, *this; }
  Option& Required() { return required = true, *this; }
  Option& Given(bool& flag) { return given = &flag, *this; }
};

// The options of one program (or of one of its commands). Its rows read into
// the targets they were made with: a table lives no longer than those.
struct OptionTable {
  std::vector<Option> options;
  // The words that are not options, shown as `positionalName`; none are taken
  // while `positionals` is null.
  std::vector<std::string>* positionals = nullptr;
  std::string positionalName;
  size_t fewestPositionals = 0;
  size_t mostPositionals = std::numeric_limits<size_t>::max();
  int helpColumn = 18;  // where each option's help starts
};

// A flag: true once given.
Option Flag(std::string name, bool& target, std::string help);

// A text, which may not be empty.
Option Text(std::string name, std::string valueName, std::string& target, std::string help);

// A value that `read` checks and stores; refused with the option's Reason.
Option Custom(std::string name, std::string valueName, ValueReader read, std::string help);

// The row of a whole number from `low` to `high`, its reader aside.
Option WholeNumberRow(std::string name, std::string valueName, uint64_t low, uint64_t high,
                      std::string help);

// A whole number from `low` to `high` (ReadWholeNumber), into an integer
// target that holds them all. Refused with "a whole number from {low} to
// {high}" unless the row gives its own reason.
template <typename Integer>
Option WholeNumber(std::string name, std::string valueName, uint64_t low, uint64_t high,
                   Integer& target, std::string help) {
  Option option = WholeNumberRow(std::move(name), std::move(valueName), low, high, std::move(help));
  option.defaultText = std::to_string(target);
  option.read = [&target, low, high](const std::vector<std::string>& texts, std::string&) {
    uint64_t value = 0;
    if (!ReadWholeNumber(texts[0], low, high, value)) return false;
    target = static_cast<Integer>(value);
    return true;
  };
  return option;
}

// A whole number that may be negative ("-" before its digits), from `low`
// to `high`.
Option SignedWholeNumber(std::string name, std::string valueName, int low, int high, int& target,
                         std::string help);

// A share of some work, "K/N" (ReadShare).
Option Share(std::string name, int& share, int& shares, std::string help);

// The bounds of a real number: both included, or both excluded when `open`.
struct RealRange {
  double low;
  double high;
  bool open = false;
};

// A finite real number within `range`, in decimal ("0.3", "5", "1e-2").
Option RealNumber(std::string name, std::string valueName, RealRange range, double& target,
                  std::string help);
Option RealNumber(std::string name, std::string valueName, RealRange range, float& target,
                  std::string help);

// One of `words`, each standing for a value; refused with "a, b or c".
template <typename Value>
Option Choice(std::string name, std::string valueName,
              std::vector<std::pair<std::string, Value>> words, Value& target, std::string help) {
  Option option;
  option.name = std::move(name);
  option.valueName = std::move(valueName);
  option.help = std::move(help);
  for (const auto& [word, value] : words) {
    option.words.push_back(word);
    if (value == target) option.defaultText = word;
  }
  option.reason = "{words}";
  option.read = [&target, words](const std::vector<std::string>& texts, std::string&) {
    for (const auto& [word, value] : words) {
      if (texts[0] == word) {
        target = value;
        return true;
      }
    }
    return false;
  };
  return option;
}

// What a command line gave besides the targets' values.
struct ParsedCommandLine {
  bool help = false;               // --help or -h: nothing after it was read
  std::vector<std::string> given;  // the options given, each once, in the order first given
  bool Gave(std::string_view name) const;
};

// Reads the arguments after the program's name into the table's targets, in
// their order, stopping at the first that is refused: false then, with the
// message for the user in `error`.
bool ParseCommandLine(const OptionTable& table, int argc, const char* const* argv,
                      ParsedCommandLine& parsed, std::string& error);
bool ParseCommandLine(const OptionTable& table, const std::vector<std::string>& arguments,
                      ParsedCommandLine& parsed, std::string& error);

// The options part of --help: each row's label ("--seed N") and its help
// from the table's column on, a label too long for the column on a line of
// its own, and last "--help  this text".
std::string OptionsHelp(const OptionTable& table);

// The options as the usage line shows them: the required ones, the
// positionals, then the others in brackets ("[--seed N]", a choice with its
// words: "[--search reference|strong]"). The first line goes on from
// `column`; every `width` columns the line breaks and goes on after `indent`
// spaces (`width` 0: one line).
std::string Synopsis(const OptionTable& table, size_t column = 0, size_t indent = 0,
                     size_t width = 0);

// A finite real number in decimal, the whole of `text` ("0.3", "-5", "1e-2").
bool ReadRealNumber(const std::string& text, double& value);

// A real number as the help and the messages show it: "0.3", "5", "1e-06".
std::string Figure(double value);

}  // namespace command_line
