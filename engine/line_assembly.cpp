#include "engine/line_assembly.h"

namespace engine {

void FeedInput(LineAssembly& assembly, const char* bytes, size_t count, LineHandler handle) {
  for (size_t i = 0; i < count; ++i) {
    const char c = bytes[i];
    if (c == '\n' || c == '\r' || c == '\0') {
      TakePendingLine(assembly, handle);
    } else if (assembly.length + 1 < kLineCapacity) {
      assembly.text[assembly.length++] = c;
    } else {
      assembly.overlong = true;
    }
  }
}

bool HasPendingInput(const LineAssembly& assembly) {
  return assembly.length > 0 || assembly.overlong;
}

void TakePendingLine(LineAssembly& assembly, LineHandler handle) {
  const bool complete = assembly.length > 0 && !assembly.overlong;
  assembly.text[assembly.length] = '\0';
  assembly.length = 0;
  assembly.overlong = false;
  if (complete) handle(assembly.text);
}

}  // namespace engine
