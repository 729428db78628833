// The platform layer of the browser's WebAssembly build (web/): the page
// talks to the module through its exports, not through standard input and
// output, the physics library is linked in (BindLinkedSimulator), and the
// module has no threads.
#include <cstdio>

#include <emscripten.h>

#include "engine/platform.h"

namespace engine {

const char* const kSimulatorLibrary = "libCurlingSimulator (linked into the module)";

long ReadInput(char* /*buffer*/, size_t /*capacity*/, int /*waitMs*/) {
  return kReadClosed;
}

void WriteOutput(const char* text, size_t length) {
  std::fwrite(text, 1, length, stdout);
  std::fflush(stdout);
}

void IgnoreClosedOutput() {}

void* OpenLibrary(const char* fileName, std::string& reason) {
  reason = std::string("a WebAssembly module loads no library (") + fileName +
           "); the physics is linked in";
  return nullptr;
}

void* FindSymbol(void* /*library*/, const char* name, std::string& reason) {
  reason = std::string("no library to find ") + name + " in";
  return nullptr;
}

bool ThreadsAvailable() {
  return false;
}

uint64_t MonotonicMilliseconds() {
  // performance.now(), which never moves backwards.
  return static_cast<uint64_t>(emscripten_get_now());
}

void ShowErrorMessage(const char* message, const std::string& reason) {
  std::fprintf(stderr, "%s\n%s\n", message, reason.c_str());
}

}  // namespace engine
