// curling-analyze play, run as a user runs it.
#include <string>

#include "tests/tools/tool_run.h"

namespace {

TEST(PlayCommand, PlaysShotsAndPrintsEveryPosition) {
  const ToolRun run = RunAnalyze({"play"}, "# a draw to the tee, no error\ndraw 2.375 4.88 1\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "# end 0 shot 0: draw 2.375 4.88 1 -> velocity 0.097499 -2.175823 spin 1\n"
            "1 2.375 4.87999725" +
                Zeros(30) + "\n# score if the end closed now: +1\n");
}

TEST(PlayCommand, StartsFromAPositionLineAndClosesTheEnd) {
  const ToolRun run =
      RunAnalyze({"play"}, "14 2.375 4.88" + Zeros(30) + "\nthrow 0 0 0\nthrow 0 0 1\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("# end 0 shot 15: throw 0 0 1"), std::string::npos);
  EXPECT_NE(run.out.find("# end 0 closed: +1\n"), std::string::npos);
}

TEST(PlayCommand, NoisyShotsReplayUnderASeed) {
  const std::string shots = "draw 2.375 4.88 0\nhit 2.375 4.88 1 12\ndraw 2.0 6.0 0\n";
  const ToolRun first = RunAnalyze({"play", "--noise", "0.3", "--seed", "41"}, shots);
  const ToolRun again = RunAnalyze({"play", "--noise", "0.3", "--seed", "41"}, shots);
  const ToolRun other = RunAnalyze({"play", "--noise", "0.3", "--seed", "42"}, shots);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.out, again.out);
  EXPECT_NE(first.out, other.out);
}

TEST(PlayCommand, ReportsBadLinesAndOptions) {
  const ToolRun run =
      RunAnalyze({"play"}, "draw 2 5\nhit 2 5 0 20\nswing 1 2 0\ndraw 2.375 4.88 0\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 1:"), std::string::npos);
  EXPECT_NE(run.err.find("line 2: the shot cannot be made"), std::string::npos);
  EXPECT_NE(run.err.find("line 3: unknown shot 'swing'"), std::string::npos);
  EXPECT_NE(run.out.find("# end 0 shot 0: draw 2.375 4.88 0"), std::string::npos);
  EXPECT_EQ(RunAnalyze({"play", "--noise"}, "").status, 2);
  EXPECT_EQ(RunAnalyze({"play", "--noise", "-1"}, "").status, 2);
  // The noise every program accepts: up to 5, as the runner.
  const ToolRun noisy = RunAnalyze({"play", "--noise", "5.5"}, "");
  EXPECT_EQ(noisy.status, 2);
  EXPECT_NE(noisy.err.find("--noise (0 to 5)"), std::string::npos) << noisy.err;
  EXPECT_EQ(RunAnalyze({"play", "--noise", "5"}, "draw 2.375 4.88 0\n").status, 0);
  EXPECT_EQ(RunAnalyze({"play", "--seed", "x"}, "").status, 2);
}

// What 'play' prints is what the position readers take: its notes are
// comments, and each position it reaches is one position line.
TEST(PlayCommand, ItsOutputIsInputForTheOtherSubcommands) {
  const ToolRun played = RunAnalyze({"play"}, "draw 2.375 4.88 0\n");
  ASSERT_EQ(played.status, 0);
  const ToolRun picture = RunAnalyze({"picture"}, played.out);
  EXPECT_EQ(picture.status, 0) << picture.err;
  EXPECT_NE(picture.out.find("shot number 1</text>"), std::string::npos);
  const ToolRun candidates = RunAnalyze({"candidates"}, played.out);
  EXPECT_EQ(candidates.status, 0) << candidates.err;
  EXPECT_EQ(candidates.out, RunAnalyze({"candidates"}, "1 2.375 4.87999725" + Zeros(30)).out);

  // A comment after blanks is still a comment; a '#' later in a line is not.
  EXPECT_EQ(RunAnalyze({"candidates"}, "  \t# note\n").status, 0);
  EXPECT_EQ(RunAnalyze({"candidates"}, "1 # 2.375\n").status, 1);
}

}  // namespace
