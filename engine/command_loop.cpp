#include "engine/command_loop.h"

#include "engine/library_binding.h"
#include "engine/platform.h"

namespace engine {

void RunCommandStream(InputReader read, LineHandler handle) {
  LineAssembly assembly{};
  char block[1024];
  for (;;) {
    const int waitMs = HasPendingInput(assembly) ? kQuietIntervalMs : -1;
    const long count = read(block, sizeof block, waitMs);
    if (count == kReadTimedOut) {
      TakePendingLine(assembly, handle);
    } else if (count <= 0) {
      TakePendingLine(assembly, handle);
      return;
    } else {
      FeedInput(assembly, block, static_cast<size_t>(count), handle);
    }
  }
}

namespace {

// The player of the running loop and its time: a line handler is a plain
// function, so it reaches them from here.
Player* loopPlayer = nullptr;
uint64_t loopDecisionMs = 0;

void DispatchToLoopPlayer(char* line) {
  DispatchCommand(line, *loopPlayer, loopDecisionMs);
}

}  // namespace

int CommandLoop(Player& player, uint64_t decisionMs) {
  IgnoreClosedOutput();
  if (!BindSimulator()) return 1;
  loopPlayer = &player;
  loopDecisionMs = decisionMs;
  RunCommandStream(ReadInput, DispatchToLoopPlayer);
  return 0;
}

}  // namespace engine
