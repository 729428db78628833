// A table of options: the number reader every program shares, what the parser
// makes of each spelling, what it refuses and how it says so, and the help and
// synopsis written from the same rows.
#include "command_line/option_table.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace command_line;

namespace {

TEST(WholeNumber, DigitsOnlyWithinSixtyFourBitsAndTheRange) {
  uint64_t value = 7;
  EXPECT_TRUE(ReadWholeNumber("0", value));
  EXPECT_EQ(value, 0u);
  EXPECT_TRUE(ReadWholeNumber("18446744073709551615", value));
  EXPECT_EQ(value, kLargestWholeNumber);
  EXPECT_TRUE(ReadWholeNumber("007", value));
  EXPECT_EQ(value, 7u);
  for (const char* bad : {"", "18446744073709551616", "99999999999999999999", "-1", "+1", " 1",
                          "1 ", "1.5", "1e3", "0x10", "12x"}) {
    value = 3;
    EXPECT_FALSE(ReadWholeNumber(bad, value)) << bad;
    EXPECT_EQ(value, 3u) << "a refused text leaves the value: " << bad;
  }
  EXPECT_TRUE(ReadWholeNumber("50", 50, 60, value));
  EXPECT_TRUE(ReadWholeNumber("60", 50, 60, value));
  EXPECT_FALSE(ReadWholeNumber("49", 50, 60, value));
  EXPECT_FALSE(ReadWholeNumber("61", 50, 60, value));
  EXPECT_EQ(value, 60u);
}

// One row of each kind, into these targets.
struct Targets {
  bool flag = false;
  bool seedGiven = false;
  uint64_t seed = 0;
  int count = 4;
  int lead = 0;
  double rate = 0.25;
  float noise = 0.5f;
  int colour = 1;
  std::string out = "here";
  std::string pair;
  int share = 1;
  int shares = 1;
  std::vector<std::string> words;
};

OptionTable TableOf(Targets& targets) {
  OptionTable table;
  table.helpColumn = 16;
  table.positionals = &targets.words;
  table.positionalName = "WORD...";
  table.mostPositionals = 2;
  table.options = {
      Flag("--flag", targets.flag, "a flag"),
      WholeNumber("--seed", "S", 0, kLargestWholeNumber, targets.seed, "the seed")
          .Given(targets.seedGiven),
      WholeNumber("--count", "N", 1, 9, targets.count,
                  "how many (default {default},\nat most {high})")
          .Required(),
      SignedWholeNumber("--lead", "L", -5, 5, targets.lead, "the lead"),
      RealNumber("--rate", "R", {0.0, 0.5, true}, targets.rate, ""),
      RealNumber("--noise", "X", {0.0, 5.0}, targets.noise, "the rate and the noise"),
      Choice<int>("--colour", "C", {{"red", 0}, {"yellow", 1}, {"blue", 2}}, targets.colour,
                  "the colour (default {default})"),
      Text("--out", "DIR", targets.out, "where it goes, a label too long for the column")
          .Short("-o")
          .Shows("DIRECTORY-NAME"),
      Custom(
          "--pair", "A B",
          [&targets](const std::vector<std::string>& texts, std::string& reason) {
            if (texts[0] == texts[1]) {
              reason = "the two are the same";
              return false;
            }
            targets.pair = texts[0] + "+" + texts[1];
            return true;
          },
          "two different words")
          .Takes(2)
          .Reason("two words"),
      Share("--part", targets.share, targets.shares, "a share"),
  };
  return table;
}

struct Outcome {
  bool ok;
  std::string error;
  ParsedCommandLine parsed;
};

Outcome Parse(Targets& targets, const std::vector<std::string>& arguments) {
  Outcome outcome;
  outcome.ok = ParseCommandLine(TableOf(targets), arguments, outcome.parsed, outcome.error);
  return outcome;
}

TEST(OptionTable, EverySpellingReachesItsTargetAndTheLastValueStands) {
  Targets targets;
  const Outcome outcome =
      Parse(targets, {"--count",  "2",          "word",    "--seed=18446744073709551615",
                      "--flag",   "-o",         "dir",     "--lead",
                      "-5",       "--rate=0.1", "--noise", "5",
                      "--colour", "blue",       "--pair",  "a",
                      "b",        "--part",     "2/3",     "--count=3",
                      "second"});
  ASSERT_TRUE(outcome.ok) << outcome.error;
  EXPECT_FALSE(outcome.parsed.help);
  EXPECT_TRUE(targets.flag);
  EXPECT_TRUE(targets.seedGiven);
  EXPECT_EQ(targets.seed, kLargestWholeNumber);
  EXPECT_EQ(targets.count, 3);
  EXPECT_EQ(targets.lead, -5);
  EXPECT_DOUBLE_EQ(targets.rate, 0.1);
  EXPECT_FLOAT_EQ(targets.noise, 5.0f);
  EXPECT_EQ(targets.colour, 2);
  EXPECT_EQ(targets.out, "dir");
  EXPECT_EQ(targets.pair, "a+b");
  EXPECT_EQ(targets.share, 2);
  EXPECT_EQ(targets.shares, 3);
  EXPECT_EQ(targets.words, (std::vector<std::string>{"word", "second"}));
  // Each option once, in the order first given, under its long name.
  EXPECT_EQ(outcome.parsed.given,
            (std::vector<std::string>{"--count", "--seed", "--flag", "--out", "--lead", "--rate",
                                      "--noise", "--colour", "--pair", "--part"}));
  EXPECT_TRUE(outcome.parsed.Gave("--out"));

  // What is not given keeps its default; help stops the reading, so that
  // neither a bad value nor a missing required option after it counts.
  Targets quiet;
  const Outcome help = Parse(quiet, {"--lead", "2", "-h", "--lead", "x"});
  ASSERT_TRUE(help.ok) << help.error;
  EXPECT_TRUE(help.parsed.help);
  EXPECT_EQ(quiet.lead, 2);
  EXPECT_FALSE(quiet.seedGiven);
  EXPECT_EQ(quiet.count, 4);
  EXPECT_EQ(quiet.out, "here");
}

TEST(OptionTable, RefusalsNameTheArgumentAndWhatTheOptionTakes) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--bogus"}, "unknown argument '--bogus'"},
      {{"-x"}, "unknown argument '-x'"},
      {{"--count", "1", "a", "b", "c"}, "unknown argument 'c'"},
      {{"--count"}, "missing value for --count"},
      {{"--count", "1", "--pair", "a"}, "missing values for --pair (A B)"},
      {{"--flag=1"}, "--flag takes no value"},
      {{"--count", "0"}, "invalid value '0' for --count (a whole number from 1 to 9)"},
      {{"--count", "-1"}, "invalid value '-1' for --count (a whole number from 1 to 9)"},
      {{"--seed", "18446744073709551616"},
       "invalid value '18446744073709551616' for --seed (a whole number from 0 to 2^64-1)"},
      {{"--lead", "-6"}, "invalid value '-6' for --lead (a whole number from -5 to 5)"},
      {{"--lead", "-"}, "invalid value '-' for --lead (a whole number from -5 to 5)"},
      {{"--lead", "+1"}, "invalid value '+1' for --lead (a whole number from -5 to 5)"},
      {{"--rate", "0"}, "invalid value '0' for --rate (above 0 and below 0.5)"},
      {{"--rate", "0.5"}, "invalid value '0.5' for --rate (above 0 and below 0.5)"},
      {{"--noise", "5.01"}, "invalid value '5.01' for --noise (0 to 5)"},
      {{"--noise", "nan"}, "invalid value 'nan' for --noise (0 to 5)"},
      {{"--noise", " 1"}, "invalid value ' 1' for --noise (0 to 5)"},
      {{"--colour", "green"}, "invalid value 'green' for --colour (red, yellow or blue)"},
      {{"--out="}, "invalid value '' for --out"},
      {{"--pair", "a", "a"}, "invalid values 'a a' for --pair: the two are the same"},
      {{"--part", "3/2"}, "invalid value '3/2' for --part (K/N: share K of N, 1 <= K <= N)"},
      {{"--part", "0/2"}, "invalid value '0/2' for --part (K/N: share K of N, 1 <= K <= N)"},
      {{"--part", "1/2/3"}, "invalid value '1/2/3' for --part (K/N: share K of N, 1 <= K <= N)"},
      {{"--part", "2"}, "invalid value '2' for --part (K/N: share K of N, 1 <= K <= N)"},
      {{"--flag"}, "--count is required"},
  };
  for (const auto& [arguments, message] : cases) {
    Targets targets;
    const Outcome outcome = Parse(targets, arguments);
    EXPECT_FALSE(outcome.ok) << message;
    EXPECT_EQ(outcome.error, message);
  }
  // A refused value leaves its target as it was.
  Targets refused;
  EXPECT_FALSE(Parse(refused, {"--count", "0"}).ok);
  EXPECT_EQ(refused.count, 4);

  Targets targets;
  OptionTable table = TableOf(targets);
  table.fewestPositionals = 1;
  ParsedCommandLine parsed;
  std::string error;
  EXPECT_FALSE(ParseCommandLine(table, {"--count", "1"}, parsed, error));
  EXPECT_EQ(error, "missing WORD...");
  // Without positionals every word is unknown.
  table.positionals = nullptr;
  EXPECT_FALSE(ParseCommandLine(table, {"--count", "1", "word"}, parsed, error));
  EXPECT_EQ(error, "unknown argument 'word'");
}

TEST(OptionTable, HelpAndSynopsisComeFromTheRows) {
  Targets targets;
  const OptionTable table = TableOf(targets);
  // Labels up to the column, help after it; a row without help shares the
  // next one's; a label too long stands on its own line; --help last.
  EXPECT_EQ(OptionsHelp(table),
            "  --flag        a flag\n"
            "  --seed S      the seed\n"
            "  --count N     how many (default 4,\n"
            "                at most 9)\n"
            "  --lead L      the lead\n"
            "  --rate R, --noise X\n"
            "                the rate and the noise\n"
            "  --colour C    the colour (default yellow)\n"
            "  -o, --out DIRECTORY-NAME\n"
            "                where it goes, a label too long for the column\n"
            "  --pair A B    two different words\n"
            "  --part K/N    a share\n"
            "  --help        this text\n");
  // Required options, positionals, the rest in brackets; a choice shows its
  // words and an option with a short name that name.
  EXPECT_EQ(Synopsis(table),
            "--count N WORD... [--flag] [--seed S] [--lead L] [--rate R] [--noise X] "
            "[--colour red|yellow|blue] [-o DIRECTORY-NAME] [--pair A B] [--part K/N]");
  EXPECT_EQ(Synopsis(table, 20, 4, 50),
            "--count N WORD... [--flag]\n"
            "    [--seed S] [--lead L] [--rate R] [--noise X]\n"
            "    [--colour red|yellow|blue] [-o DIRECTORY-NAME]\n"
            "    [--pair A B] [--part K/N]");
  EXPECT_EQ(Figure(0.3), "0.3");
  EXPECT_EQ(Figure(5.0), "5");
}

}  // namespace
