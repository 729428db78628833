// The match runner's only contact with the operating system: starting engine
// processes on pipes, reading their output against a deadline, ending them
// with everything they started, the clock, and the runner's own signals. The
// tests' harnesses start the programs they check with it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace match::platform {

// An engine process: its id (also the id of its process group), the pipe to
// its standard input and the pipe from its standard output (-1 where the
// stream goes elsewhere).
struct ChildProcess {
  int pid = -1;
  int input = -1;
  int output = -1;
};

// Where a child's standard streams come from and go to, and what of the
// runner's environment it does not inherit. The defaults are the engine's:
// input and output on pipes, errors discarded.
struct ChildSetup {
  std::string inputPath;     // standard input read from this file instead of a pipe
  int inputDescriptor = -1;  // or from this open descriptor
  std::string outputPath;    // standard output written to this file instead of a pipe
  std::string errorPath;     // standard error written to this file; nowhere when empty
  std::vector<std::string> unsetVariables;  // environment variables left out
};

// How a child ended.
struct ChildExit {
  bool known = false;  // false while it is still running
  bool signalled = false;
  int code = 0;  // exit status, or the signal number when signalled
};

// Outcomes of ReadFromChild besides a positive byte count.
inline constexpr long kChildOutputClosed = 0;
inline constexpr long kChildReadTimedOut = -1;

// Ignores SIGPIPE (a write to an engine that has gone reports failure
// instead) and installs the SIGINT and SIGTERM handlers: they kill every
// running child's process group at once and leave the signal for
// InterruptSignal to report.
void PrepareRunnerSignals();

// The SIGINT or SIGTERM received, or 0.
int InterruptSignal();

// Starts `words` (program, then arguments; the program is looked up in PATH
// when it has no slash) in a process group of its own, its streams as `setup`
// says. On failure returns false and says why; nothing is left running then.
bool StartChild(const std::vector<std::string>& words, const ChildSetup& setup, ChildProcess& child,
                std::string& reason);

// Writes all of `text` to the child's input. False when the child's input is
// closed (the child has gone).
bool WriteToChild(const ChildProcess& child, std::string_view text);

// Closes the child's input, so that it sees the end of it.
void CloseChildInput(ChildProcess& child);

// Reads what the child's output has, up to `capacity` bytes, waiting until
// the monotonic time `deadlineMs` at the latest. Returns the count,
// kChildOutputClosed or kChildReadTimedOut.
long ReadFromChild(const ChildProcess& child, char* buffer, size_t capacity, int64_t deadlineMs);

// Whether the child has ended, waiting up to `waitMs` for it; the child is
// not reaped, so its id stays reserved until EndChild.
ChildExit PeekChildExit(const ChildProcess& child, int waitMs);

// Ends the child: closes its input so that it may leave by itself within
// `graceMs`, then kills its whole process group and reaps it. Returns how the
// child itself ended (a child that had to be killed reports the kill).
ChildExit EndChild(ChildProcess& child, int graceMs);

// Monotonic milliseconds.
int64_t NowMilliseconds();

void SleepMilliseconds(int milliseconds);

// The width of the terminal standard error goes to; 0 when it is not a
// terminal, kUnknownColumns when it is one of unknown width.
inline constexpr int kUnknownColumns = 80;
int StandardErrorColumns();

// The directory that holds the running executable, or "" if unknown.
std::string ExecutableDirectory();

// "exited with status 3", "killed by signal 9 (SIGKILL)", "still running".
std::string DescribeExit(const ChildExit& exit);

}  // namespace match::platform
