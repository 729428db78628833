// The engine as a match server sees it: the real program and the real
// simulator library, spoken to through pipes, checked byte for byte. The same
// cases run against the Linux engine and, under Wine, the Windows one
// (tests/windows).

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <regex>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "simulator/curling_api.h"
#include "tests/engine/engine_process.h"
#include "tests/test_locations.h"

namespace {

class EngineProtocol : public ::testing::Test {
 protected:
  void SetUp() override { RequireEngine(); }
};

using EngineStartUp = EngineProtocol;

constexpr int kReplyMs = 10000;
// A searched reply takes about five seconds; the sanitizer builds are slower.
constexpr int kSearchMs = 120000;

// The reply to GO past the last stone: the library's draw to the tee.
std::string TeeDrawReply() {
  ShotVec shot{};
  CreateShot(ShotPos{2.375f, 4.88f, 0, {0, 0, 0}}, &shot);
  char text[128];
  std::snprintf(text, sizeof text, "BESTSHOT %f %f %d", static_cast<double>(shot.vx),
                static_cast<double>(shot.vy), static_cast<int>(shot.spin));
  return text;
}

// Sends the whole script, closes the input and returns everything the
// engine wrote; the engine must end with status 0.
std::string Converse(std::string_view script) {
  EngineRun engine = StartEngineRun(test_locations::kEngine);
  SendBytes(engine, script);
  CloseInput(engine);
  std::string output = ReadAllOutput(engine, kReplyMs);
  EXPECT_EQ(WaitForExit(engine, kReplyMs), 0);
  return output;
}

TEST_F(EngineProtocol, CommandWordsAnswerExactlyAndNothingElse) {
  EXPECT_EQ(Converse("   isready\r\n"), "READYOK");
  EXPECT_EQ(Converse("ISREADYX\nIS READY\nisReady\n\n   \nNEWGAME\nGO\t\nISREADY"),
            "READYOKREADYOK");
  EXPECT_EQ(Converse(std::string("ISRE\0ADY\nISREADY\0junk\n", 22)), "READYOK");
  EXPECT_EQ(Converse(""), "");
}

TEST_F(EngineProtocol, GoPastTheLastStoneAnswersWithTheTeeDraw) {
  const std::string tee = TeeDrawReply();
  ASSERT_EQ(tee.rfind("BESTSHOT ", 0), 0u);
  // Three integers are enough to set the shot number.
  EXPECT_EQ(Converse("NEWGAME\nSETSTATE 16 0 0\nGO\n"), tee);
  EXPECT_EQ(Converse("SETSTATE 40 3 9 1\ngo\nGO\n"), tee + tee);
  // Saturated rather than wrapped: still far past the last stone.
  EXPECT_EQ(Converse("SETSTATE 99999999999 0 0 0\nGO\n"), tee);
}

// Sends each piece with a write of its own, then ends the input.
std::string ConverseInPieces(std::initializer_list<std::string_view> pieces) {
  EngineRun engine = StartEngineRun(test_locations::kEngine);
  for (const std::string_view piece : pieces) SendBytes(engine, piece);
  CloseInput(engine);
  std::string output = ReadAllOutput(engine, kReplyMs);
  EXPECT_EQ(WaitForExit(engine, kReplyMs), 0);
  return output;
}

TEST_F(EngineProtocol, LinesAreTakenWhateverTheWritesDivideThem) {
  const std::string tee = TeeDrawReply();
  EXPECT_EQ(ConverseInPieces({"SETSTATE 16 0 0 0\n", "ISREADY\nGO\n"}), "READYOK" + tee);

  // Pieces of one line are joined unless input stays quiet for 20 ms between
  // them; a test process held off the processor that long between two writes
  // would legitimately split the line, so a few attempts are allowed. An
  // engine that takes each read as a line of its own fails every attempt.
  const std::string expected = "READYOK" + tee;
  std::string output;
  for (int attempt = 0; attempt < 3 && output != expected; ++attempt) {
    output = ConverseInPieces({"ISRE", "ADY\nSETSTATE 1", "7 0 0 0\nG", "O\n"});
  }
  EXPECT_EQ(output, expected);
}

TEST_F(EngineProtocol, CommandWithoutLineEndIsTakenWhenInputGoesQuietOrEnds) {
  EngineRun engine = StartEngineRun(test_locations::kEngine);
  SendBytes(engine, "ISREADY");
  EXPECT_EQ(ReadOutput(engine, 7, kReplyMs), "READYOK");
  SendBytes(engine, "isready");
  CloseInput(engine);
  EXPECT_EQ(ReadAllOutput(engine, kReplyMs), "READYOK");
  EXPECT_EQ(WaitForExit(engine, kReplyMs), 0);
}

TEST_F(EngineProtocol, AServerThatStopsReadingDoesNotEndTheEngine) {
  // Replies to a closed output are lost; the engine still reads its input to
  // the end and leaves normally.
  EngineRun engine = StartEngineRun(test_locations::kEngine);
  close(engine.process.output);
  engine.process.output = -1;
  SendBytes(engine, "ISREADY\nNEWGAME\nSETSTATE 16 0 0 0\nGO\nISREADY\n");
  CloseInput(engine);
  EXPECT_EQ(WaitForExit(engine, kReplyMs), 0);
}

TEST_F(EngineProtocol, OverlongLineIsDiscardedWhole) {
  // Neither the head nor the tail of a line past 1023 bytes is a command.
  const std::string headReady = "ISREADY" + std::string(1100, ' ') + "\n";
  const std::string tailReady = std::string(1024, 'x') + "ISREADY\n";
  const std::string longest = "ISREADY" + std::string(1016, ' ') + "\n";
  ASSERT_EQ(longest.size(), 1024u);
  EXPECT_EQ(Converse(headReady + tailReady + longest + "ISREADY\n"), "READYOKREADYOK");
}

TEST_F(EngineProtocol, SearchedReplyStaysFiniteWhateverTheNumbers) {
  // Every coordinate here is NaN, infinite, hexadecimal or out of range in
  // some reading; the engine must still answer with plain finite numbers.
  std::string position = "POSITION";
  const char* odd[] = {"nan", "inf", "-inf", "0x1p3", "1e999", "-1e999", "INFINITY", "-nan"};
  for (int i = 0; i < 32; ++i) position += std::string(" ") + odd[i % 8];
  EngineRun engine = StartEngineRun(test_locations::kEngine);
  SendBytes(engine, "NEWGAME\n" + position + "\nSETSTATE 15 0 9 1\nGO\n");
  CloseInput(engine);
  const std::string reply = ReadAllOutput(engine, kSearchMs);
  EXPECT_TRUE(std::regex_match(reply, std::regex(R"(BESTSHOT -?\d+\.\d{6} -?\d+\.\d{6} [01])")))
      << reply;
  EXPECT_EQ(WaitForExit(engine, kReplyMs), 0);
}

TEST_F(EngineStartUp, MissingLibraryIsReportedAndNoInputIsRead) {
  // A copy of the engine in a directory of its own, with no library beside
  // it and none on the loader's path.
  char pattern[] = "/tmp/engine-alone-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path directory = pattern;
  const std::filesystem::path alone =
      directory / std::filesystem::path(test_locations::kEngine).filename();
  std::filesystem::copy_file(test_locations::kEngine, alone);

  int input[2];
  ASSERT_EQ(pipe(input), 0);
  ASSERT_EQ(write(input[1], "ISREADY\n", 8), 8);
  EngineRun engine = StartEngineRun(alone.string(), true, input[0]);
  const std::string output = ReadAllOutput(engine, kReplyMs);
  const std::string errors = ReadAllErrors(engine, kReplyMs);
  EXPECT_EQ(WaitForExit(engine, kReplyMs), 1);
  EXPECT_EQ(output, "");

  const std::string message = "CurlingSimulator.dll の読み込みに失敗しました\n";
  ASSERT_EQ(errors.substr(0, message.size()), message);
  const std::string reason = errors.substr(message.size());
  EXPECT_NE(reason.find(test_locations::kEngineLibrary), std::string::npos) << reason;
  EXPECT_EQ(reason.back(), '\n');
  EXPECT_EQ(reason.find('\n'), reason.size() - 1) << reason;

  // The command is still in the pipe: the engine read nothing.
  fcntl(input[0], F_SETFL, O_NONBLOCK);
  char unread[16] = {};
  EXPECT_EQ(read(input[0], unread, sizeof unread), 8);
  EXPECT_EQ(std::string(unread), "ISREADY\n");
  close(input[0]);
  close(input[1]);
  std::filesystem::remove_all(directory);
}

}  // namespace
