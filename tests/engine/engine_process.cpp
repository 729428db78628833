#include "tests/engine/engine_process.h"

#include <chrono>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Appends what `fd` delivers until `count` bytes are in `text`, the pipe
// closes or the time is up.
void ReadInto(int fd, std::string& text, size_t count, int timeoutMs) {
  const int64_t deadline = NowMs() + timeoutMs;
  while (text.size() < count) {
    const int64_t left = deadline - NowMs();
    if (left <= 0) return;
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[4096];
    const ssize_t got =
        read(fd, buffer, sizeof buffer < count - text.size() ? sizeof buffer : count - text.size());
    if (got <= 0) return;
    text.append(buffer, static_cast<size_t>(got));
  }
}

}  // namespace

ChildProcess StartChild(const std::string& path, bool withoutLibraryPath, int input,
                        const std::vector<std::string>& arguments) {
  // Built before the fork: the child only calls what is safe after it.
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int in[2] = {-1, -1};
  int out[2];
  int err[2];
  if (input < 0 && pipe2(in, O_CLOEXEC) != 0) std::abort();
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) std::abort();
  ChildProcess child;
  child.pid = fork();
  if (child.pid == 0) {
    dup2(input >= 0 ? input : in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    if (withoutLibraryPath) unsetenv("LD_LIBRARY_PATH");
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  if (input < 0) {
    close(in[0]);
    child.input = in[1];
  }
  close(out[1]);
  close(err[1]);
  child.output = out[0];
  child.error = err[0];
  // A test that stops early must not be killed by a write to a dead child.
  signal(SIGPIPE, SIG_IGN);
  return child;
}

void SendBytes(ChildProcess& child, std::string_view bytes) {
  size_t offset = 0;
  while (offset < bytes.size()) {
    const ssize_t written = write(child.input, bytes.data() + offset, bytes.size() - offset);
    if (written <= 0) return;
    offset += static_cast<size_t>(written);
  }
}

void CloseInput(ChildProcess& child) {
  if (child.input >= 0) close(child.input);
  child.input = -1;
}

std::string ReadOutput(ChildProcess& child, size_t count, int timeoutMs) {
  std::string text;
  ReadInto(child.output, text, count, timeoutMs);
  return text;
}

std::string ReadAllOutput(ChildProcess& child, int timeoutMs) {
  std::string text;
  ReadInto(child.output, text, static_cast<size_t>(-1), timeoutMs);
  return text;
}

std::string ReadAllErrors(ChildProcess& child, int timeoutMs) {
  std::string text;
  ReadInto(child.error, text, static_cast<size_t>(-1), timeoutMs);
  return text;
}

int WaitForExit(ChildProcess& child, int timeoutMs) {
  CloseInput(child);
  const int64_t deadline = NowMs() + timeoutMs;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(child.pid, &status, WNOHANG);
    if (done == child.pid) break;
    if (NowMs() > deadline) {
      kill(child.pid, SIGKILL);
      waitpid(child.pid, &status, 0);
      status = -1;
      break;
    }
    usleep(2000);
  }
  close(child.output);
  close(child.error);
  child.output = child.error = -1;
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
