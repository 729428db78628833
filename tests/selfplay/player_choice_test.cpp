// The players a run names: the texts read, the bad ones refused with a
// message that says why, and the phase player's switch at its shot.
#include "selfplay/player_choice.h"

#include <gtest/gtest.h>

#include "engine/library_binding.h"
#include "selfplay/position_file.h"
#include "selfplay_test_support.h"

using namespace engine;
using namespace selfplay;

namespace {

std::string Text(const std::string& text) {
  PlayerChoice choice;
  std::string error;
  EXPECT_TRUE(ParsePlayerChoice(text, choice, error)) << text << ": " << error;
  return PlayerChoiceText(choice);
}

std::string Refusal(const std::string& text) {
  PlayerChoice choice;
  std::string error;
  EXPECT_FALSE(ParsePlayerChoice(text, choice, error)) << text;
  return error;
}

TEST(PlayerChoice, TextsNameTheSamePlayerWithEveryDefaultExplicit) {
  EXPECT_EQ(Text("greedy"), "greedy");
  EXPECT_EQ(Text("tee"), "tee");
  EXPECT_EQ(Text("random"), "random");
  EXPECT_EQ(Text("strong"), "strong:samples=300:time=4750:eval=learned");
  EXPECT_EQ(Text("strong:time=100:samples=0"), "strong:samples=0:time=100:eval=learned");
  EXPECT_EQ(Text("strong:eval=table"), "strong:samples=300:time=4750");
  EXPECT_EQ(Text("strong:eval=learned:samples=9"), "strong:samples=9:time=4750:eval=learned");
  EXPECT_EQ(Text("strong:foresight:samples=40"),
            "strong:samples=40:time=4750:eval=learned:foresight");
  EXPECT_EQ(Text("reference:time=250"), "reference:time=250");
  EXPECT_EQ(Text("phase@8/greedy/strong:samples=40"),
            "phase@8/greedy/strong:samples=40:time=4750:eval=learned");
  EXPECT_EQ(Text("phase@4/tee/phase@12/random/greedy"), "phase@4/tee/phase@12/random/greedy");
}

TEST(PlayerChoice, BadTextsAreRefusedSayingWhatIsWrong) {
  const struct {
    const char* text;
    const char* says;
  } cases[] = {
      {"", "unknown player ''"},
      {"Greedy", "unknown player 'Greedy'"},
      {"strongest", "unknown player 'strongest'"},
      {"greedy:time=5", "greedy takes none"},
      {"reference:samples=5", "reference takes time=MS"},
      {"strong:depth=3", "strong takes samples=N, time=MS, eval=E, from=K and foresight"},
      {"strong:eval=Learned", "bad evaluation 'eval=Learned'"},
      {"strong:samples", "bad samples 'samples'"},
      {"strong:samples=-1", "bad samples"},
      {"strong:samples=1e3", "bad samples"},
      {"strong:samples=100000001", "bad samples"},
      {"strong:time=0", "bad time 'time=0'"},
      {"reference:time=99999999999999", "bad time"},
      {"strong:", "unknown setting ''"},
      {"phase@8/greedy", "phase@K/FIRST/THEN"},
      {"phase@", "phase@K/FIRST/THEN"},
      {"phase@0/tee/greedy", "bad phase shot '0'"},
      {"phase@16/tee/greedy", "bad phase shot '16'"},
      {"phase@x/tee/greedy", "bad phase shot 'x'"},
      {"phase@8//greedy", "unknown player ''"},
      {"phase@8/tee/", "unknown player ''"},
      {"phase@8/tee/strong:time=x", "in phase player 'phase@8/tee/strong:time=x': bad time"},
      {"phase@8/phase@4/tee/random/greedy", "unknown player 'phase@4'"},
  };
  for (const auto& bad : cases) {
    EXPECT_NE(Refusal(bad.text).find(bad.says), std::string::npos)
        << bad.text << " gave: " << Refusal(bad.text);
  }
}

// Player 1 plays the tee draw before shot K and random candidates from K on;
// the data shows which played each of its deliveries.
TEST(PlayerChoice, ThePhasePlayerSwitchesAtItsShot) {
  RunSettings settings = SmallRun("phase@6/tee/random", "greedy", 2, 13);
  settings.explore = 0.0f;
  const std::string path = ScratchPath("data.bin");
  WriteData(settings, path);
  PositionFile file;
  std::string error;
  ASSERT_TRUE(ReadPositionFile(path, file, error)) << error;
  ShotVec tee{};
  createShot(TeeTarget(0), &tee);
  int fromK = 0;
  int teeFromK = 0;
  for (const auto& game : file.games) {
    for (const PositionRecord& record : game) {
      const bool player2Hammer = (record.flags & kPlayer2HammerFlag) != 0;
      // The hammer side delivers the odd shots.
      const bool player1Delivers = (record.shot % 2 == 1) != player2Hammer;
      if (!player1Delivers) continue;
      const bool isTee = record.vx == tee.vx && record.vy == tee.vy && record.spin == tee.spin;
      if (record.shot < 6) {
        EXPECT_TRUE(isTee) << "shot " << int{record.shot};
      } else {
        ++fromK;
        teeFromK += isTee ? 1 : 0;
      }
    }
  }
  EXPECT_GE(fromK, 2 * 2 * 5);
  EXPECT_LT(teeFromK, fromK / 2) << "random candidates are rarely the tee draw";
}

}  // namespace
