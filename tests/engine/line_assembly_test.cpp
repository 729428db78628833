#include "engine/line_assembly.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/command_loop.h"
#include "engine/platform.h"

using namespace engine;

namespace {

std::vector<std::string> handled;

void Record(char* line) {
  handled.emplace_back(line);
}

// Feeds each piece in turn, as separate reads would deliver them.
std::vector<std::string> Assemble(const std::vector<std::string>& pieces) {
  handled.clear();
  LineAssembly assembly{};
  for (const std::string& piece : pieces) {
    FeedInput(assembly, piece.data(), piece.size(), Record);
  }
  return handled;
}

using Lines = std::vector<std::string>;

TEST(LineAssembly, EveryLineIsTakenInOrderWhateverTheReadBoundaries) {
  EXPECT_EQ(Assemble({"ISREADY\nGO\n"}), (Lines{"ISREADY", "GO"}));
  EXPECT_EQ(Assemble({"ISRE", "ADY\nG", "O\n"}), (Lines{"ISREADY", "GO"}));
  const std::string text = "NEWGAME\nSETSTATE 1 2 3 4\nISREADY\n";
  for (size_t cut = 0; cut <= text.size(); ++cut) {
    EXPECT_EQ(Assemble({text.substr(0, cut), text.substr(cut)}),
              (Lines{"NEWGAME", "SETSTATE 1 2 3 4", "ISREADY"}))
        << "cut at " << cut;
  }
}

TEST(LineAssembly, LfCrAndNulEndALineAndEmptyLinesAreSkipped) {
  EXPECT_EQ(Assemble({"  isready\r\n"}), (Lines{"  isready"}));
  EXPECT_EQ(Assemble({"A\rB\nC"}), (Lines{"A", "B"}));
  EXPECT_EQ(Assemble({std::string("ISRE\0ADY\n", 9)}), (Lines{"ISRE", "ADY"}));
  EXPECT_EQ(Assemble({std::string("\n\r\0\r\n", 5)}), Lines{});
}

TEST(LineAssembly, LineOfMoreThan1023BytesIsDroppedWhole) {
  const std::string longest(kLineCapacity - 1, 'a');
  EXPECT_EQ(Assemble({longest + "\nGO\n"}), (Lines{longest, "GO"}));
  // One byte more: neither its head nor its tail may pass as a command.
  const std::string tooLong = std::string(kLineCapacity - 1, ' ') + "ISREADY";
  EXPECT_EQ(Assemble({tooLong + "\nGO\n"}), (Lines{"GO"}));
  EXPECT_EQ(Assemble({std::string(kLineCapacity, 'x'), "ISREADY\n", "GO\n"}), (Lines{"GO"}));
}

// A scripted standard input: each step is a chunk of bytes, a quiet interval
// or the end. The waits the loop asks for are recorded.
struct ScriptStep {
  long result;
  std::string bytes;
};
std::vector<ScriptStep> script;
size_t nextStep = 0;
std::vector<int> waits;

long ScriptedRead(char* buffer, size_t capacity, int waitMs) {
  waits.push_back(waitMs);
  // Reading past the end of the script would mean the loop ignored the end.
  if (nextStep >= script.size()) {
    ADD_FAILURE() << "read after end of input";
    return kReadClosed;
  }
  const ScriptStep& step = script[nextStep++];
  if (step.result <= 0) return step.result;
  EXPECT_LE(step.bytes.size(), capacity);
  step.bytes.copy(buffer, capacity);
  return static_cast<long>(step.bytes.size());
}

void RunScript(std::vector<ScriptStep> steps) {
  script = std::move(steps);
  nextStep = 0;
  waits.clear();
  handled.clear();
  RunCommandStream(ScriptedRead, Record);
  EXPECT_EQ(nextStep, script.size());
}

ScriptStep Bytes(const std::string& bytes) {
  return {static_cast<long>(bytes.size()), bytes};
}

TEST(CommandStream, QuietIntervalOrEndOfInputCompletesALineWithoutEnd) {
  RunScript({Bytes("ISREADY"), {kReadTimedOut, ""}, Bytes("GO"), {kReadClosed, ""}});
  EXPECT_EQ(handled, (Lines{"ISREADY", "GO"}));
  // Blocking without limit while nothing is pending, so an idle engine never
  // spins; the short wait only while text waits for its end.
  EXPECT_EQ(waits, (std::vector<int>{-1, kQuietIntervalMs, -1, kQuietIntervalMs}));
}

TEST(CommandStream, LinesSplitAcrossReadsAreJoined) {
  RunScript({Bytes("ISRE"), Bytes("ADY\nGO"), Bytes("\nNEW"), Bytes("GAME\n"), {kReadClosed, ""}});
  EXPECT_EQ(handled, (Lines{"ISREADY", "GO", "NEWGAME"}));
  EXPECT_EQ(waits,
            (std::vector<int>{-1, kQuietIntervalMs, kQuietIntervalMs, kQuietIntervalMs, -1}));
}

TEST(CommandStream, EndOfInputWithNothingPendingEndsTheLoop) {
  RunScript({{kReadClosed, ""}});
  EXPECT_TRUE(handled.empty());
  RunScript({Bytes(std::string(1000, 'q')), Bytes(std::string(1000, 'q')), {kReadClosed, ""}});
  EXPECT_TRUE(handled.empty());
}

}  // namespace
