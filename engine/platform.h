// The engine's only contact with the operating system: standard input and
// output, loading the simulator library, the millisecond clock and the error
// message. Everything else in the player is plain computation. One source file
// per system implements it: platform_posix.cpp, platform_windows.cpp and, for
// the browser's WebAssembly build, platform_web.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace engine {

// Outcomes of ReadInput besides a positive byte count.
inline constexpr long kReadClosed = 0;     // end of input, or a read that failed for good
inline constexpr long kReadTimedOut = -1;  // nothing arrived within the wait

// Reads up to `capacity` bytes of what standard input has available. Waits at
// most `waitMs` milliseconds for the first byte (forever when negative).
// Returns the number of bytes read, kReadClosed or kReadTimedOut.
long ReadInput(char* buffer, size_t capacity, int waitMs);

// Writes all `length` bytes to standard output at once, with no buffering in
// between. A failed write is not reported: the server has gone.
void WriteOutput(const char* text, size_t length);

// Makes a write to a reader that has gone fail quietly instead of ending the
// process, so that the player goes on until its input ends.
void IgnoreClosedOutput();

// File name of the simulator library on this system.
extern const char* const kSimulatorLibrary;

// Loads the shared library `fileName`, first from the directory that holds the
// running executable, then by the loader's normal search. Returns the handle,
// or null with the loader's reasons in `reason`.
void* OpenLibrary(const char* fileName, std::string& reason);

// Address of the exported symbol `name`, or null with the loader's reason.
void* FindSymbol(void* library, const char* name, std::string& reason);

// Whether the program may start threads of its own. A browser's WebAssembly
// module has none, so a search there runs on the calling thread alone.
bool ThreadsAvailable();

// Milliseconds from a fixed point that never moves backwards.
uint64_t MonotonicMilliseconds();

// Tells the user that start-up failed: the message, then the reason, each on
// a line of its own on standard error. On Windows a message box then shows the
// message, unless the environment variable CURLING_NO_MESSAGE_BOX is set to 1,
// so that unattended runs never wait on it.
void ShowErrorMessage(const char* message, const std::string& reason);

}  // namespace engine
