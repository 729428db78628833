#include "engine/command_loop.h"

#include "engine/command.h"
#include "engine/game_state.h"
#include "engine/platform.h"
#include "engine/simulator.h"

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

int CommandLoop() {
  IgnoreClosedOutput();
  if (!BindSimulator()) return 1;
  InitStrategyTables();
  RunCommandStream(ReadInput, DispatchCommand);
  return 0;
}
