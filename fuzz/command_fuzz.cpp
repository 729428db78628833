// Fuzzes the path of standard input through the engine: line assembly over
// reads of every size, tokens, numbers and the five commands. Checks after
// every line that the game record stays sound.
//
// The target hands the command loop a player of its own and puts its own
// shot maker in place of the simulator library: a GO below shot 16 is recorded, not searched, so
// that each input runs in microseconds and never starts threads or a five
// second budget. The search is not linked into this program at all, so no
// input can reach it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "engine/command.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "engine/line_assembly.h"
#include "engine/player.h"

using namespace engine;

namespace {

constexpr uint8_t kPaddingPattern = 0xA5;

GameState startState;

void Check(bool condition) {
  if (!condition) std::abort();
}

int TeeDraw(ShotPos target, ShotVec* shot) {
  // Only the fallback past the last stone makes a shot here.
  Check(gameState.shotNumber >= 16);
  const ShotPos tee = TeeTarget(0);
  Check(target.x == tee.x && target.y == tee.y && target.spin == 0);
  shot->vx = 0.125f;
  shot->vy = -30.5f;
  shot->spin = 0;
  return 0;
}

void CheckRecord() {
  for (uint8_t byte : gameState.padding) Check(byte == kPaddingPattern);
  Check(gameState.turnFlag == 0 || gameState.turnFlag == 1);
  for (const StonePos& stone : gameState.stones) {
    Check(std::isfinite(stone.x) && std::isfinite(stone.y));
  }
  // Only NEWGAME writes the end scores, and it clears all ten.
  const bool cleared = gameState.endScores[0] == 0;
  for (int end = 0; end < 10; ++end) {
    Check(gameState.endScores[end] == (cleared ? 0 : startState.endScores[end]));
  }
}

// Asked only below shot 16, about the record itself.
class CheckingPlayer final : public Player {
 public:
  ShotVec Decide(const GameState& state, uint64_t) override {
    Check(&state == &gameState && state.shotNumber < 16);
    return ShotVec{0.5f, -2.0f, 1, {0, 0, 0}};
  }
};

CheckingPlayer player;

void HandleLine(char* line) {
  const size_t length = std::strlen(line);
  Check(length > 0 && length < kLineCapacity);
  Check(std::strpbrk(line, "\r\n") == nullptr);
  DispatchCommand(line, player, 1000);
  CheckRecord();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Replies go nowhere; the fuzzer reports on standard error.
  const int sink = open("/dev/null", O_WRONLY);
  if (sink >= 0) dup2(sink, STDOUT_FILENO);
  createShot = TeeDraw;
  std::memset(&startState, 0, sizeof startState);
  startState.shotNumber = 3;
  startState.currentEnd = 2;
  startState.lastEnd = 9;
  for (int end = 0; end < 10; ++end) startState.endScores[end] = end - 4 + (end >= 4 ? 1 : 0);
  startState.turnFlag = 1;
  std::memset(startState.padding, kPaddingPattern, sizeof startState.padding);
  for (int k = 0; k < 16; ++k) startState.stones[k] = StonePos{0.25f * k, 1.5f * k};
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte sets the size of the reads the input arrives in.
  const size_t chunk = 1 + data[0] % 64;
  ++data;
  --size;
  gameState = startState;
  LineAssembly assembly{};
  for (size_t offset = 0; offset < size; offset += chunk) {
    const size_t count = size - offset < chunk ? size - offset : chunk;
    FeedInput(assembly, reinterpret_cast<const char*>(data) + offset, count, HandleLine);
  }
  TakePendingLine(assembly, HandleLine);
  CheckRecord();
  return 0;
}
