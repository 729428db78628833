// Splitting a command line into blank-separated tokens.
#pragma once

#include <cstddef>

namespace engine {

// Room for one token and its terminating NUL; a line never holds more.
inline constexpr size_t kTokenCapacity = 1024;

// Copies token `index` (from 0) of the NUL-terminated `line` into `token`.
// Only the blank separates tokens: a tab or any other byte belongs to the
// token it touches. Returns false when the line ends before the token starts;
// a line that ends right after the blanks that precede it yields an empty
// token, which is found.
bool GetToken(char (&token)[kTokenCapacity], const char* line, int index);

}  // namespace engine
