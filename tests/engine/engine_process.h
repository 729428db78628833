// Runs a program as a child with its standard input, output and error on
// pipes, for tests that talk to the engine as a match server would.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

struct ChildProcess {
  pid_t pid = -1;
  int input = -1;   // the child's standard input, write end
  int output = -1;  // the child's standard output, read end
  int error = -1;   // the child's standard error, read end
};

// Starts `path` with `arguments` (none by default). With `withoutLibraryPath`,
// the child's environment has no LD_LIBRARY_PATH, so that the loader's search
// is only the system's own. `input` may name a descriptor to use as standard
// input instead of a fresh pipe.
ChildProcess StartChild(const std::string& path, bool withoutLibraryPath = false, int input = -1,
                        const std::vector<std::string>& arguments = {});

// Writes all the bytes in one write call.
void SendBytes(ChildProcess& child, std::string_view bytes);

void CloseInput(ChildProcess& child);

// Reads standard output until `count` bytes have arrived or `timeoutMs`
// passes; returns what arrived.
std::string ReadOutput(ChildProcess& child, size_t count, int timeoutMs);

// Reads standard output until it closes (or `timeoutMs` passes).
std::string ReadAllOutput(ChildProcess& child, int timeoutMs);

// Reads standard error until it closes (or `timeoutMs` passes).
std::string ReadAllErrors(ChildProcess& child, int timeoutMs);

// Waits for the child to end and returns its exit status; kills it and
// returns -1 when it has not ended within `timeoutMs`.
int WaitForExit(ChildProcess& child, int timeoutMs);
