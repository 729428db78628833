// curling-analyze evaluate, run as a user runs it: its numbers read back from
// the comment lines it prints after each position.
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/tools/tool_run.h"

namespace {

struct Evaluation {
  std::string position;
  std::vector<double> endScores;
  double expected = 0.0;
  double learned[2] = {};  // the side with the hammer's, the other side's
  double table[2] = {};
};

// The number after `key` in `line`.
double After(const std::string& line, const std::string& key) {
  const size_t at = line.find(key);
  EXPECT_NE(at, std::string::npos) << key << " in " << line;
  return at == std::string::npos ? -1.0 : std::strtod(line.c_str() + at + key.size(), nullptr);
}

// Each position line and the evaluation printed after it.
std::vector<Evaluation> ReadEvaluations(const std::string& out) {
  std::vector<Evaluation> evaluations;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("# ", 0) != 0) {
      evaluations.emplace_back();
      evaluations.back().position = line;
      continue;
    }
    if (evaluations.empty()) continue;
    Evaluation& e = evaluations.back();
    if (line.rfind("# end score of the side with the hammer, -5 to +5:", 0) == 0) {
      std::istringstream numbers(line.substr(line.find(':') + 1));
      for (double chance = 0; numbers >> chance;) e.endScores.push_back(chance);
    } else if (line.rfind("# expected end score", 0) == 0) {
      e.expected = After(line, ": ");
    } else if (line.rfind("# chance of winning, ", 0) == 0) {
      const int side = line.find("the other side") != std::string::npos ? 1 : 0;
      e.learned[side] = After(line, "learned ");
      e.table[side] = After(line, "table ");
    }
  }
  return evaluations;
}

// Slot 0 is the side that delivers first in the end, slot 1 the hammer's.
const std::string kStoneOnTheTeeFirst = "2.375 4.88";
const std::string kEmpty = "0" + Zeros(32) + "\n";
// The other side's stone on the tee, the hammer's behind it, and one stone
// of each side more in the house.
const std::string kMidEnd =
    "6 " + kStoneOnTheTeeFirst + " 2.375 4.3 2.0 5.1 2.6 4.6" + Zeros(24) + "\n";
// Every stone down: the other side's on the tee scores one.
const std::string kEndOver = "16 " + kStoneOnTheTeeFirst + " 2.375 4.3" + Zeros(28) + "\n";
// The three together, as one input.
const std::string kThreePositions = kEmpty + kMidEnd + kEndOver;

TEST(EvaluateCommand, ChancesAddUpForEveryPositionAndSituation) {
  for (const std::vector<std::string>& situation :
       {std::vector<std::string>{},
        {"--end", "8", "--lead", "-1"},
        {"--end", "9", "--lead", "2"},
        {"--end", "7", "--last-end", "7"},
        {"--end", "3", "--last-end", "5", "--lead", "-4"}}) {
    std::vector<std::string> arguments = {"evaluate"};
    arguments.insert(arguments.end(), situation.begin(), situation.end());
    const ToolRun run = RunAnalyze(arguments, kThreePositions);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<Evaluation> evaluations = ReadEvaluations(run.out);
    ASSERT_EQ(evaluations.size(), 3u) << run.out;
    for (const Evaluation& e : evaluations) {
      ASSERT_EQ(e.endScores.size(), 11u) << e.position;
      double total = 0.0;
      double expected = 0.0;
      for (size_t i = 0; i < e.endScores.size(); ++i) {
        EXPECT_GE(e.endScores[i], 0.0);
        total += e.endScores[i];
        expected += e.endScores[i] * (static_cast<double>(i) - 5.0);
      }
      // Printed to five places: eleven roundings at most.
      EXPECT_NEAR(total, 1.0, 6e-5) << e.position;
      EXPECT_NEAR(e.expected, expected, 2e-3) << e.position;
      // Each side's chance comes from its own game values; a draw counts
      // half for both, so the two make one.
      EXPECT_NEAR(e.learned[0] + e.learned[1], 1.0, 2e-5) << e.position;
      EXPECT_NEAR(e.table[0] + e.table[1], 1.0, 2e-5) << e.position;
    }
  }
}

TEST(EvaluateCommand, AFinishedEndHasItsExactValue) {
  // End 9 of 8..9 (index 8), the hammer one down: the other side scores one
  // more, so the hammer side starts the last end two down, still with the
  // hammer. Its chance then, before any stone, is what the table gives.
  const ToolRun over = RunAnalyze({"evaluate", "--end", "8", "--lead", "-1"}, kEndOver);
  const ToolRun next = RunAnalyze({"evaluate", "--end", "9", "--lead", "-2"}, kEmpty);
  ASSERT_EQ(over.status, 0) << over.err;
  ASSERT_EQ(next.status, 0) << next.err;
  const Evaluation finished = ReadEvaluations(over.out).at(0);
  const Evaluation after = ReadEvaluations(next.out).at(0);
  EXPECT_EQ(finished.endScores, (std::vector<double>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(finished.expected, -1.0);
  EXPECT_EQ(finished.learned[0], after.table[0]);
  EXPECT_EQ(finished.table[0], after.table[0]);

  // The last end's last stone decides the game: a one-point lead kept wins.
  const ToolRun last = RunAnalyze({"evaluate", "--end", "9", "--lead", "-2"}, kEndOver);
  const Evaluation decided = ReadEvaluations(last.out).at(0);
  EXPECT_EQ(decided.learned[0], 0.0);
  EXPECT_EQ(decided.learned[1], 1.0);
}

// The output is input for the other subcommands: the positions as lines, the
// rest comments.
TEST(EvaluateCommand, PrintsPositionLinesTheOthersRead) {
  const ToolRun run = RunAnalyze({"evaluate"}, "# a note\n\n" + kMidEnd);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.out.substr(0, run.out.find('\n') + 1),
      "6 2.375 4.88000011 2.375 4.30000019 2 5.0999999 2.5999999 4.5999999" + Zeros(24) + "\n");
  const ToolRun picture = RunAnalyze({"picture"}, run.out);
  EXPECT_EQ(picture.status, 0) << picture.err;
  EXPECT_NE(picture.out.find("shot number 6</text>"), std::string::npos);
  // The side to deliver is named: at shot 6 the first in the end.
  EXPECT_NE(run.out.find("# chance of winning, the other side (to deliver):"), std::string::npos);
}

TEST(EvaluateCommand, ReportsBadLinesAndOptions) {
  // A stone off the sheet counts only when it was delivered: slot 1 at shot 1 is not.
  const ToolRun run =
      RunAnalyze({"evaluate"}, "17" + Zeros(32) + "\n-1" + Zeros(32) + "\n" + "1 2" + Zeros(30) +
                                   "\n" + "2 2.375 4.88 1e30 4" + Zeros(28) + "\n" +
                                   "1 2.375 4.88 1e30 4" + Zeros(28) + "\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 1: shot number 17 is not from 0 to 16"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 2: shot number -1"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("line 3: expected 32 coordinates"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("line 4: stone 1 at (1.00000002e+30, 4) is off the sheet"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(ReadEvaluations(run.out).size(), 1u) << run.out;
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--end", "10"},
                                              {"--end", "x"},
                                              {"--last-end", "-1"},
                                              {"--lead", "1.5"},
                                              {"--lead", "100"},
                                              {"--end", "9", "--last-end", "8", "--lead", "1"},
                                              {"--lead"},
                                              {"--depth", "3"}}) {
    std::vector<std::string> arguments = {"evaluate"};
    arguments.insert(arguments.end(), bad.begin(), bad.end());
    const ToolRun refused = RunAnalyze(arguments, kEmpty);
    EXPECT_EQ(refused.status, 2) << bad.front();
    EXPECT_EQ(refused.out, "") << bad.front();
    EXPECT_NE(refused.err, "") << bad.front();
  }
  // An extra end from a tied score is a game still to be won.
  EXPECT_EQ(RunAnalyze({"evaluate", "--end", "9", "--last-end", "8"}, kEmpty).status, 0);
}

TEST(EvaluateCommand, HelpNamesTheSubcommandAndItsOptions) {
  const ToolRun help = RunAnalyze({"--help"}, "");
  EXPECT_EQ(help.status, 0);
  for (const char* words : {"evaluate", "[--end E] [--last-end L] [--lead N]", "-5 to +5",
                            "learned value", "standing table"}) {
    EXPECT_NE(help.out.find(words), std::string::npos) << words;
  }
  EXPECT_EQ(RunAnalyze({"evaluate", "--help"}, "").out, help.out);
}

}  // namespace
