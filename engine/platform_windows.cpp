#include <string>

#include <windows.h>

#include "engine/platform.h"

namespace engine {

const char* const kSimulatorLibrary = "CurlingSimulator.dll";

namespace {

// The "A" functions of the message box take text in this code page (Shift-JIS).
constexpr UINT kMessageBoxCodePage = 932;

constexpr const char* kErrorCaption = "エラー";

constexpr const char* kNoMessageBoxVariable = "CURLING_NO_MESSAGE_BOX";

std::wstring Widen(const std::string& text, UINT codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

// Empty when the code page cannot hold the text.
std::string Narrow(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

// The system's description of an error code, in UTF-8 without its line end.
std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring wide = length > 0 ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ')) {
    wide.pop_back();
  }
  if (wide.empty()) return "system error " + std::to_string(code);
  return Narrow(wide, CP_UTF8);
}

// Writes all of `text` to `handle`; false when a write fails.
bool WriteAll(HANDLE handle, const char* text, size_t length) {
  while (length > 0) {
    const DWORD chunk = length > MAXDWORD ? MAXDWORD : static_cast<DWORD>(length);
    DWORD written = 0;
    if (!WriteFile(handle, text, chunk, &written, nullptr)) return false;
    text += written;
    length -= written;
  }
  return true;
}

// Standard input as a reader thread receives it. A pipe cannot be waited on
// with a time limit (and under Wine cannot even be asked what it holds), so
// one thread blocks in ReadFile and ReadInput waits for that thread instead.
struct InputQueue {
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
  std::string bytes;     // received, not yet taken
  bool ended = false;    // end of input, or a read that failed for good
  bool started = false;  // only touched by the thread that calls ReadInput
};

InputQueue inputQueue;

// The reader stops reading ahead here until the command loop catches up.
constexpr size_t kInputBacklog = 1 << 16;

DWORD WINAPI ReceiveInput(void* /*unused*/) {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  char chunk[4096];
  for (;;) {
    AcquireSRWLockExclusive(&inputQueue.lock);
    while (inputQueue.bytes.size() >= kInputBacklog) {
      SleepConditionVariableSRW(&inputQueue.changed, &inputQueue.lock, INFINITE, 0);
    }
    ReleaseSRWLockExclusive(&inputQueue.lock);
    DWORD count = 0;
    // A failed read (the writer closed the pipe) and an empty one both end
    // the input.
    const bool received = input != nullptr && input != INVALID_HANDLE_VALUE &&
                          ReadFile(input, chunk, sizeof chunk, &count, nullptr) && count > 0;
    AcquireSRWLockExclusive(&inputQueue.lock);
    if (received) {
      inputQueue.bytes.append(chunk, count);
    } else {
      inputQueue.ended = true;
    }
    ReleaseSRWLockExclusive(&inputQueue.lock);
    WakeAllConditionVariable(&inputQueue.changed);
    if (!received) return 0;
  }
}

// The directory of the running executable with a trailing separator, or empty
// when it cannot be found.
std::string ExecutableDirectory() {
  char path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return {};
  std::string directory(path, length);
  const size_t separator = directory.find_last_of("\\/");
  if (separator == std::string::npos) return {};
  directory.resize(separator + 1);
  return directory;
}

// LoadLibraryA with the system's error dialogs off: a broken library must not
// leave an unattended engine waiting on a dialog.
HMODULE LoadQuietly(const std::string& path, std::string& reason) {
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  HMODULE library = LoadLibraryA(path.c_str());
  const DWORD error = GetLastError();
  SetThreadErrorMode(previousMode, nullptr);
  if (library == nullptr) {
    if (!reason.empty()) reason += "; ";
    // The path is in the ANSI code page; the reason is UTF-8 like the message.
    reason += Narrow(Widen(path, CP_ACP), CP_UTF8) + ": " + SystemMessage(error);
  }
  return library;
}

bool MessageBoxSuppressed() {
  char value[8] = {};
  const DWORD length = GetEnvironmentVariableA(kNoMessageBoxVariable, value, sizeof value);
  return length > 0 && length < sizeof value && std::string(value) == "1";
}

}  // namespace

long ReadInput(char* buffer, size_t capacity, int waitMs) {
  if (!inputQueue.started) {
    inputQueue.started = true;
    HANDLE reader = CreateThread(nullptr, 0, ReceiveInput, nullptr, 0, nullptr);
    if (reader == nullptr) return kReadClosed;
    CloseHandle(reader);
  }
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(waitMs < 0 ? 0 : waitMs);
  AcquireSRWLockExclusive(&inputQueue.lock);
  while (inputQueue.bytes.empty() && !inputQueue.ended) {
    DWORD wait = INFINITE;
    if (waitMs >= 0) {
      const ULONGLONG now = GetTickCount64();
      if (now >= deadline) {
        ReleaseSRWLockExclusive(&inputQueue.lock);
        return kReadTimedOut;
      }
      wait = static_cast<DWORD>(deadline - now);
    }
    SleepConditionVariableSRW(&inputQueue.changed, &inputQueue.lock, wait, 0);
  }
  long count = kReadClosed;
  if (!inputQueue.bytes.empty()) {
    const size_t taken = capacity < inputQueue.bytes.size() ? capacity : inputQueue.bytes.size();
    inputQueue.bytes.copy(buffer, taken);
    inputQueue.bytes.erase(0, taken);
    count = static_cast<long>(taken);
  }
  ReleaseSRWLockExclusive(&inputQueue.lock);
  WakeAllConditionVariable(&inputQueue.changed);
  return count;
}

void WriteOutput(const char* text, size_t length) {
  WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), text, length);
}

void IgnoreClosedOutput() {
  // A write to a closed pipe fails with an error code here; there is no
  // signal to turn off.
}

void* OpenLibrary(const char* fileName, std::string& reason) {
  reason.clear();
  const std::string directory = ExecutableDirectory();
  if (!directory.empty()) {
    if (HMODULE library = LoadQuietly(directory + fileName, reason)) return library;
  }
  if (HMODULE library = LoadQuietly(fileName, reason)) return library;
  return nullptr;
}

void* FindSymbol(void* library, const char* name, std::string& reason) {
  const FARPROC address = GetProcAddress(static_cast<HMODULE>(library), name);
  if (address == nullptr) {
    reason = std::string(name) + ": " + SystemMessage(GetLastError());
    return nullptr;
  }
  return reinterpret_cast<void*>(address);
}

bool ThreadsAvailable() {
  return true;
}

uint64_t MonotonicMilliseconds() {
  return GetTickCount64();
}

void ShowErrorMessage(const char* message, const std::string& reason) {
  const std::string text = std::string(message) + "\n" + reason + "\n";
  HANDLE errors = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (errors != nullptr && errors != INVALID_HANDLE_VALUE) {
    // A console shows UTF-16 whatever its code page; a pipe or a file gets the
    // same UTF-8 bytes as on other systems.
    if (GetConsoleMode(errors, &mode)) {
      const std::wstring wide = Widen(text, CP_UTF8);
      DWORD written = 0;
      WriteConsoleW(errors, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
      WriteAll(errors, text.data(), text.size());
    }
  }
  if (MessageBoxSuppressed()) return;
  const std::wstring wideMessage = Widen(message, CP_UTF8);
  const std::wstring wideCaption = Widen(kErrorCaption, CP_UTF8);
  const std::string shiftJisMessage = Narrow(wideMessage, kMessageBoxCodePage);
  const std::string shiftJisCaption = Narrow(wideCaption, kMessageBoxCodePage);
  if (!shiftJisMessage.empty() && !shiftJisCaption.empty()) {
    MessageBoxA(nullptr, shiftJisMessage.c_str(), shiftJisCaption.c_str(), MB_OK);
  } else {
    // Without the Japanese code page the wide box shows the same text.
    MessageBoxW(nullptr, wideMessage.c_str(), wideCaption.c_str(), MB_OK);
  }
}

}  // namespace engine
