#include <cerrno>
#include <ctime>

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include "engine/platform.h"

namespace engine {

const char* const kSimulatorLibrary = "libCurlingSimulator.so";

long ReadInput(char* buffer, size_t capacity, int waitMs) {
  for (;;) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&input, 1, waitMs < 0 ? -1 : waitMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return kReadClosed;
    }
    if (ready == 0) return kReadTimedOut;
    // A closed or invalid descriptor would report ready forever; only a read
    // can tell hang-up with data left from hang-up without.
    if ((input.revents & POLLNVAL) != 0) return kReadClosed;
    const ssize_t count = read(STDIN_FILENO, buffer, capacity);
    if (count > 0) return static_cast<long>(count);
    if (count == 0) return kReadClosed;
    if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
    return kReadClosed;
  }
}

void WriteOutput(const char* text, size_t length) {
  while (length > 0) {
    const ssize_t written = write(STDOUT_FILENO, text, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;
    }
    text += written;
    length -= static_cast<size_t>(written);
  }
}

void IgnoreClosedOutput() {
  signal(SIGPIPE, SIG_IGN);
}

namespace {

// The directory of the running executable with a trailing slash, or empty
// when it cannot be found.
std::string ExecutableDirectory() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  std::string directory(path, static_cast<size_t>(length));
  const size_t slash = directory.rfind('/');
  if (slash == std::string::npos) return {};
  directory.resize(slash + 1);
  return directory;
}

std::string LoaderError() {
  const char* error = dlerror();
  return error != nullptr ? error : "unknown loader error";
}

}  // namespace

void* OpenLibrary(const char* fileName, std::string& reason) {
  reason.clear();
  const std::string directory = ExecutableDirectory();
  if (!directory.empty()) {
    const std::string beside = directory + fileName;
    if (void* library = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
    reason = LoaderError();
  }
  if (void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL)) return library;
  if (!reason.empty()) reason += "; ";
  reason += LoaderError();
  return nullptr;
}

void* FindSymbol(void* library, const char* name, std::string& reason) {
  dlerror();
  void* address = dlsym(library, name);
  if (address == nullptr) reason = LoaderError();
  return address;
}

bool ThreadsAvailable() {
  return true;
}

uint64_t MonotonicMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

void ShowErrorMessage(const char* message, const std::string& reason) {
  std::string text = message;
  text += '\n';
  text += reason;
  text += '\n';
  size_t offset = 0;
  while (offset < text.size()) {
    const ssize_t written = write(STDERR_FILENO, text.data() + offset, text.size() - offset);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;
    }
    offset += static_cast<size_t>(written);
  }
}

}  // namespace engine
