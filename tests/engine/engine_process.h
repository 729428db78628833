// Runs a program as a child with its standard input and output on pipes and
// its errors in a file, for tests that talk to the engine as a match server
// would. The runner's process layer starts and ends it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "match/platform/process.h"

struct EngineRun {
  match::platform::ChildProcess process;
  std::string errorPath;  // the child's standard error
};

// Skips the calling test when the engine under test or its launcher is
// missing, saying what is missing; fails it instead where the environment
// variable CURLING_REQUIRE_WINDOWS_TESTS is 1 (CI), so that the Windows
// engine's cases cannot go quietly unrun there.
void RequireEngine();

// Starts `path` with `arguments` (none by default), through test_locations::kEngineLauncher when
// there is one. With `withoutLibraryPath`, the child's environment has no LD_LIBRARY_PATH, so that
// the loader's search is only the system's own. `input` may name a descriptor to use as standard
// input instead of a fresh pipe.
EngineRun StartEngineRun(const std::string& path, bool withoutLibraryPath = false, int input = -1,
                         const std::vector<std::string>& arguments = {});

// Writes all the bytes.
void SendBytes(EngineRun& run, std::string_view bytes);

void CloseInput(EngineRun& run);

// Reads standard output until `count` bytes have arrived or `timeoutMs`
// passes; returns what arrived.
std::string ReadOutput(EngineRun& run, size_t count, int timeoutMs);

// Reads standard output until it closes (or `timeoutMs` passes).
std::string ReadAllOutput(EngineRun& run, int timeoutMs);

// Waits up to `timeoutMs` for the child to end and returns what it wrote to
// standard error.
std::string ReadAllErrors(EngineRun& run, int timeoutMs);

// Waits for the child to end and returns its exit status; kills it and
// returns -1 when it has not ended within `timeoutMs`.
int WaitForExit(EngineRun& run, int timeoutMs);
