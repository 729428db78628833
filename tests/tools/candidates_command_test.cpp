// curling-analyze candidates, run as a user runs it.
#include <algorithm>
#include <string>

#include "tests/tools/tool_run.h"

namespace {

// Hit lines at one point, powers from lowest to 15, both spins.
std::string Hits(const std::string& point, int lowest) {
  std::string lines;
  for (int power = lowest; power <= 15; ++power) {
    for (int spin = 0; spin <= 1; ++spin) {
      lines += point + " " + std::to_string(spin) + " " + std::to_string(power) + "\n";
    }
  }
  return lines;
}

// Shot 13, the other side's open stone at (2.4, 3.3) in the house: hits
// within 0.1 of it, freezes 0.2 ahead of it, every float printed in full.
const std::string kStoneAtBack = "13 2.4 3.3" + Zeros(30) + "\n";
const std::string kStoneAtBackList =
    "2.375 4.88000011 0 -1\n2.375 4.88000011 1 -1\n" + Hits("2.4000001 3.20000005", 10) +
    Hits("2.4000001 3.29999995", 10) + "2.4000001 3.5 0 -1\n2.4000001 3.5 1 -1\n" +
    Hits("2.5 3.29999995", 10) + "2.5 3.5 0 -1\n2.5 3.5 1 -1\n\n";

TEST(AnalyzeToolTest, PrintsEachListThenAnEmptyLine) {
  const ToolRun run =
      RunAnalyze({"candidates"}, kStoneAtBack + "\n \t\r\n" + "0" + Zeros(32) + "\r\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // The empty position at shot 0: the 36 centre guards, the first of them at
  // x = 1.8 on the rows 6.8, 7.8 and 7.9.
  const std::string emptyStart =
      "2.375 4.88000011 0 -1\n2.375 4.88000011 1 -1\n"
      "1.79999995 6.80000019 0 -1\n1.79999995 6.80000019 1 -1\n"
      "1.79999995 7.80000019 0 -1\n1.79999995 7.80000019 1 -1\n"
      "1.79999995 7.9000001 0 -1\n1.79999995 7.9000001 1 -1\n";
  ASSERT_GT(run.out.size(), kStoneAtBackList.size() + emptyStart.size());
  EXPECT_EQ(run.out.substr(0, kStoneAtBackList.size()), kStoneAtBackList);
  const std::string second = run.out.substr(kStoneAtBackList.size());
  EXPECT_EQ(second.substr(0, emptyStart.size()), emptyStart);
  EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 75);
  const std::string emptyEnd = "2.9000001 7.9000001 1 -1\n\n";
  EXPECT_EQ(second.substr(second.size() - emptyEnd.size()), emptyEnd);
}

TEST(AnalyzeToolTest, ReportsMalformedLinesAndGoesOn) {
  const std::string input = "7 1 2 3\n" + kStoneAtBack + "x" + Zeros(32) + "\n" + "1" + Zeros(31) +
                            " nan\n" + "1" + Zeros(33) + "\n" + "1" + Zeros(31) + " 1e99\n";
  const ToolRun run = RunAnalyze({"candidates"}, input);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, kStoneAtBackList);
  for (const char* line : {"line 1:", "line 3:", "line 4:", "line 5:", "line 6:"}) {
    EXPECT_NE(run.err.find(line), std::string::npos) << line << " in " << run.err;
  }
  EXPECT_EQ(run.err.find("line 2:"), std::string::npos) << run.err;
}

}  // namespace
