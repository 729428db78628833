#include "match/platform/process.h"

#include <atomic>
#include <cstdio>
#include <string_view>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace match::platform {

namespace {

// Process groups of the children now running, for the signal handler. Up to
// two engines per game and at most kMaxConcurrency games at once fit.
constexpr int kGroupSlots = 128;
std::atomic<int> liveGroups[kGroupSlots];
std::atomic<int> interruptSignal{0};

void OnInterrupt(int signalNumber) {
  interruptSignal.store(signalNumber);
  for (std::atomic<int>& slot : liveGroups) {
    const int group = slot.load();
    if (group > 0) kill(-group, SIGKILL);
  }
}

void RegisterGroup(int pid) {
  for (std::atomic<int>& slot : liveGroups) {
    int expected = 0;
    if (slot.compare_exchange_strong(expected, pid)) break;
  }
  // A signal that came before the registration found nothing to kill.
  if (interruptSignal.load() != 0) kill(-pid, SIGKILL);
}

void UnregisterGroup(int pid) {
  for (std::atomic<int>& slot : liveGroups) {
    int expected = pid;
    if (slot.compare_exchange_strong(expected, 0)) return;
  }
}

void CloseQuietly(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

ChildExit FromWaitStatus(int status) {
  ChildExit exit;
  exit.known = true;
  if (WIFSIGNALED(status)) {
    exit.signalled = true;
    exit.code = WTERMSIG(status);
  } else {
    exit.code = WEXITSTATUS(status);
  }
  return exit;
}

// The runner's environment without the variables named in `unset`.
std::vector<std::string> EnvironmentWithout(const std::vector<std::string>& unset) {
  std::vector<std::string> kept;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    const std::string_view name = text.substr(0, text.find('='));
    bool dropped = false;
    for (const std::string& variable : unset) dropped = dropped || name == variable;
    if (!dropped) kept.emplace_back(text);
  }
  return kept;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  pointers.reserve(texts.size() + 1);
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// The child's side between fork and exec: only async-signal-safe calls.
[[noreturn]] void RunChild(char* const* argv, char* const* environment, int parentPid, int input,
                           int output, int errorLog, int statusPipe) {
  setpgid(0, 0);
  // Should the runner die without ending it, the engine goes too.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parentPid) _exit(127);
  dup2(input, STDIN_FILENO);
  dup2(output, STDOUT_FILENO);
  dup2(errorLog, STDERR_FILENO);
  // The runner ignores SIGPIPE and may block signals on its threads; an
  // engine starts with the defaults.
  signal(SIGPIPE, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  execvpe(argv[0], argv, environment);
  const int error = errno;
  ssize_t ignored = write(statusPipe, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

}  // namespace

void PrepareRunnerSignals() {
  signal(SIGPIPE, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int InterruptSignal() {
  return interruptSignal.load();
}

bool StartChild(const std::vector<std::string>& words, const ChildSetup& setup, ChildProcess& child,
                std::string& reason) {
  if (words.empty()) {
    reason = "empty command";
    return false;
  }
  std::vector<std::string> arguments = words;
  const std::vector<char*> argv = Pointers(arguments);
  std::vector<std::string> environment = EnvironmentWithout(setup.unsetVariables);
  const std::vector<char*> envp = Pointers(environment);

  // Every descriptor is close-on-exec, so that no engine holds another
  // engine's pipes open. [0] is what the child reads, [1] what it writes.
  int toChild[2] = {-1, -1};
  int fromChild[2] = {-1, -1};
  int status[2] = {-1, -1};
  int errorLog = -1;
  const auto fail = [&](const std::string& what) {
    reason = what + ": " + strerror(errno);
    for (int* fd : {&toChild[0], &toChild[1], &fromChild[0], &fromChild[1], &status[0], &status[1],
                    &errorLog}) {
      CloseQuietly(*fd);
    }
    return false;
  };
  const char* logPath = setup.errorPath.empty() ? "/dev/null" : setup.errorPath.c_str();
  errorLog = open(logPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (errorLog < 0) return fail(std::string("cannot open ") + logPath);
  if (!setup.inputPath.empty()) {
    toChild[0] = open(setup.inputPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (toChild[0] < 0) return fail("cannot open " + setup.inputPath);
  } else if (setup.inputDescriptor >= 0) {
    toChild[0] = fcntl(setup.inputDescriptor, F_DUPFD_CLOEXEC, 0);
    if (toChild[0] < 0) return fail("cannot use the input descriptor");
  } else if (pipe2(toChild, O_CLOEXEC) != 0) {
    return fail("cannot create pipes");
  }
  if (!setup.outputPath.empty()) {
    fromChild[1] = open(setup.outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fromChild[1] < 0) return fail("cannot open " + setup.outputPath);
  } else if (pipe2(fromChild, O_CLOEXEC) != 0) {
    return fail("cannot create pipes");
  }
  if (pipe2(status, O_CLOEXEC) != 0) return fail("cannot create pipes");
  const int parentPid = getpid();
  const int pid = fork();
  if (pid == 0) {
    RunChild(argv.data(), envp.data(), parentPid, toChild[0], fromChild[1], errorLog, status[1]);
  }
  CloseQuietly(toChild[0]);
  CloseQuietly(fromChild[1]);
  CloseQuietly(status[1]);
  CloseQuietly(errorLog);
  if (pid < 0) {
    reason = std::string("cannot fork: ") + strerror(errno);
    CloseQuietly(toChild[1]);
    CloseQuietly(fromChild[0]);
    CloseQuietly(status[0]);
    return false;
  }
  setpgid(pid, pid);  // also here, so that the group exists before it is registered
  RegisterGroup(pid);
  child.pid = pid;
  child.input = toChild[1];
  child.output = fromChild[0];

  // The status pipe closes on a successful exec and carries errno otherwise.
  int error = 0;
  ssize_t got;
  do {
    got = read(status[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  CloseQuietly(status[0]);
  if (got == static_cast<ssize_t>(sizeof error)) {
    reason = "cannot run '" + words[0] + "': " + strerror(error);
    EndChild(child, 0);
    return false;
  }
  return true;
}

bool WriteToChild(const ChildProcess& child, std::string_view text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = write(child.input, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

void CloseChildInput(ChildProcess& child) {
  CloseQuietly(child.input);
}

long ReadFromChild(const ChildProcess& child, char* buffer, size_t capacity, int64_t deadlineMs) {
  for (;;) {
    const int64_t left = deadlineMs - NowMilliseconds();
    if (left <= 0) {
      // Still take what is already there: the engine was in time with it.
      pollfd ready{child.output, POLLIN, 0};
      if (poll(&ready, 1, 0) <= 0) return kChildReadTimedOut;
    } else {
      pollfd ready{child.output, POLLIN, 0};
      const int count = poll(&ready, 1, left > 60000 ? 60000 : static_cast<int>(left));
      if (count < 0 && errno == EINTR) continue;
      if (count == 0) continue;  // the loop checks the deadline again
      if (count < 0) return kChildOutputClosed;
    }
    const ssize_t got = read(child.output, buffer, capacity);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    return got > 0 ? static_cast<long>(got) : kChildOutputClosed;
  }
}

ChildExit PeekChildExit(const ChildProcess& child, int waitMs) {
  const int64_t deadline = NowMilliseconds() + waitMs;
  for (;;) {
    siginfo_t info{};
    const int result =
        waitid(P_PID, static_cast<id_t>(child.pid), &info, WEXITED | WNOHANG | WNOWAIT);
    if (result == 0 && info.si_pid == child.pid) {
      ChildExit exit;
      exit.known = true;
      exit.signalled = info.si_code == CLD_KILLED || info.si_code == CLD_DUMPED;
      exit.code = info.si_status;
      return exit;
    }
    if (result != 0 && errno != EINTR) return {};
    if (NowMilliseconds() >= deadline) return {};
    SleepMilliseconds(5);
  }
}

ChildExit EndChild(ChildProcess& child, int graceMs) {
  if (child.pid <= 0) return {};
  CloseQuietly(child.input);
  ChildExit exit = PeekChildExit(child, graceMs);
  // The group goes before the engine is reaped, while its id is still
  // reserved: whatever the engine started goes with it.
  kill(-child.pid, SIGKILL);
  UnregisterGroup(child.pid);
  int status = 0;
  int reaped;
  do {
    reaped = waitpid(child.pid, &status, 0);
  } while (reaped < 0 && errno == EINTR);
  if (!exit.known && reaped == child.pid) exit = FromWaitStatus(status);
  CloseQuietly(child.output);
  child.pid = -1;
  return exit;
}

int64_t NowMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void SleepMilliseconds(int milliseconds) {
  timespec wait{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

int StandardErrorColumns() {
  if (isatty(STDERR_FILENO) == 0) return 0;
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return kUnknownColumns;
  return size.ws_col;
}

std::string ExecutableDirectory() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  std::string text(path, static_cast<size_t>(length));
  const size_t slash = text.rfind('/');
  return slash == std::string::npos ? "" : text.substr(0, slash);
}

std::string DescribeExit(const ChildExit& exit) {
  if (!exit.known) return "still running";
  if (!exit.signalled) return "exited with status " + std::to_string(exit.code);
  const char* name = sigabbrev_np(exit.code);
  std::string text = "killed by signal " + std::to_string(exit.code);
  if (name != nullptr) text += std::string(" (SIG") + name + ")";
  return text;
}

}  // namespace match::platform
