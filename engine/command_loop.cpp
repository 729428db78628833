#include "engine/command_loop.h"

#include "engine/library_binding.h"
#include "engine/platform.h"

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

// The decision of the running loop: a line handler is a plain function, so it
// reaches the decision from here.
ShotDecision loopDecision = nullptr;

void DispatchToLoopDecision(char* line) {
  DispatchCommand(line, loopDecision);
}

}  // namespace

int CommandLoop(ShotDecision decide) {
  IgnoreClosedOutput();
  if (!BindSimulator()) return 1;
  loopDecision = decide;
  RunCommandStream(ReadInput, DispatchToLoopDecision);
  return 0;
}
