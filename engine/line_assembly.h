// Putting command lines together from the bytes of standard input, however
// the reads happen to divide them.
#pragma once

#include <cstddef>

namespace engine {

// Room for the longest line that is kept (1023 bytes) and its NUL.
inline constexpr size_t kLineCapacity = 1024;

// The text of the line being received.
struct LineAssembly {
  char text[kLineCapacity];
  size_t length;
  // The line has grown past 1023 bytes: it is dropped whole at its end.
  bool overlong;
};

// Receives each complete line, NUL-terminated, without its line end. The text
// may be changed in place.
using LineHandler = void (*)(char* line);

// Adds `count` bytes of input. A LF, CR or NUL ends a line; every complete,
// non-empty line that is not over-long goes to `handle`, in order.
void FeedInput(LineAssembly& assembly, const char* bytes, size_t count, LineHandler handle);

// Whether bytes of an unfinished line are waiting for their line end.
bool HasPendingInput(const LineAssembly& assembly);

// Ends the unfinished line as if its line end had arrived: used when input
// goes quiet or ends after text that has no line end.
void TakePendingLine(LineAssembly& assembly, LineHandler handle);

}  // namespace engine
