// A scripted engine for the runner's tests: it speaks the protocol, and
// misbehaves exactly as told.
//
//   fake_engine [--pid-file PATH] [--plan LETTERS] [--split] [--line-end]
//               [--delay MS] [--fault KIND --at N] [--grandchild]
//
// --plan: one letter per end, what this engine plays in that end: 't' every
//   stone a draw to the tee, 'o' its first stone of the end to the tee and the
//   rest thrown away, 'a' every stone thrown away. Ends past the plan: 'a'.
//   Without --plan every stone is a draw to the tee.
// --split: every reply is written in several pieces, a little apart.
// --line-end: every reply is followed by a line end.
// --delay: every shot reply waits this many milliseconds.
// --fault KIND at the N-th GO (from 1): crash (abort), exit (status 3),
//   hang, garbage, nan, spin, fast, close (closes its output, keeps running);
//   or no-ready (never answers ISREADY; --at is ignored).
// --grandchild: starts a process of its own that sleeps until killed.
// --pid-file: the engine's pid and that of its grandchild, one a line.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <signal.h>
#include <unistd.h>

#include "simulator/curling_api.h"

namespace {

struct Script {
  std::string plan;
  bool split = false;
  bool lineEnd = false;
  std::string fault;
  int faultAt = 0;
  bool grandchild = false;
  std::string pidFile;
  int delayMs = 0;
};

int shotNumber = 0;
int currentEnd = 0;
int goCount = 0;

void Write(const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = write(STDOUT_FILENO, text.data() + done, text.size() - done);
    if (written <= 0) _exit(0);
    done += static_cast<size_t>(written);
  }
}

void Reply(const Script& script, std::string text) {
  if (script.lineEnd) text += "\r\n";
  if (!script.split) {
    Write(text);
    return;
  }
  // Pieces cut inside the word and inside each number.
  const size_t cuts[] = {3, text.size() / 3, text.size() / 2, text.size() - 2};
  size_t from = 0;
  for (const size_t cut : cuts) {
    if (cut <= from || cut >= text.size()) continue;
    Write(text.substr(from, cut - from));
    usleep(15000);
    from = cut;
  }
  Write(text.substr(from));
}

[[noreturn]] void SleepForever() {
  for (;;) pause();
}

std::string ShotText(float vx, float vy, int spin) {
  char text[96];
  std::snprintf(text, sizeof text, "BESTSHOT %f %f %d", static_cast<double>(vx),
                static_cast<double>(vy), spin);
  return text;
}

std::string PlannedShot(const Script& script) {
  char letter = script.plan.empty() ? 't' : 'a';
  if (currentEnd >= 0 && static_cast<size_t>(currentEnd) < script.plan.size()) {
    letter = script.plan[static_cast<size_t>(currentEnd)];
  }
  const bool firstOfMine = shotNumber < 2;
  if (letter == 't' || (letter == 'o' && firstOfMine)) {
    ShotVec shot{};
    CreateShot(ShotPos{2.375f, 4.88f, 0, {0, 0, 0}}, &shot);
    return ShotText(shot.vx, shot.vy, shot.spin);
  }
  return ShotText(0.0f, 0.0f, 0);  // stops short of the hog line: out of play
}

void Go(const Script& script) {
  ++goCount;
  if (!script.fault.empty() && script.fault != "no-ready" && goCount == script.faultAt) {
    const std::string& fault = script.fault;
    if (fault == "crash") abort();
    if (fault == "exit") _exit(3);
    if (fault == "hang") SleepForever();
    if (fault == "close") {
      close(STDOUT_FILENO);
      SleepForever();
    }
    if (fault == "garbage") return Reply(script, "HELLO WORLD");
    if (fault == "nan") return Reply(script, "BESTSHOT nan -2.100000 0");
    if (fault == "spin") return Reply(script, "BESTSHOT 0.000000 -2.100000 2");
    if (fault == "fast") return Reply(script, "BESTSHOT 0.000000 -8.500000 0");
  }
  if (script.delayMs > 0) usleep(static_cast<useconds_t>(script.delayMs) * 1000);
  Reply(script, PlannedShot(script));
}

void Handle(const Script& script, const std::string& line) {
  if (line.rfind("ISREADY", 0) == 0) {
    if (script.fault != "no-ready") Reply(script, "READYOK");
  } else if (line.rfind("SETSTATE", 0) == 0) {
    int lastEnd = 0;
    int turnFlag = 0;
    std::sscanf(line.c_str(), "SETSTATE %d %d %d %d", &shotNumber, &currentEnd, &lastEnd,
                &turnFlag);
  } else if (line.rfind("GO", 0) == 0) {
    Go(script);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Script script;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : "";
    if (option == "--plan") {
      script.plan = value;
      ++i;
    } else if (option == "--fault") {
      script.fault = value;
      ++i;
    } else if (option == "--at") {
      script.faultAt = std::atoi(value);
      ++i;
    } else if (option == "--delay") {
      script.delayMs = std::atoi(value);
      ++i;
    } else if (option == "--pid-file") {
      script.pidFile = value;
      ++i;
    } else if (option == "--split") {
      script.split = true;
    } else if (option == "--line-end") {
      script.lineEnd = true;
    } else if (option == "--grandchild") {
      script.grandchild = true;
    }
  }
  std::string pids = std::to_string(getpid()) + "\n";
  if (script.grandchild) {
    const pid_t child = fork();
    if (child == 0) SleepForever();
    pids += std::to_string(child) + "\n";
  }
  if (!script.pidFile.empty()) {
    std::FILE* file = std::fopen(script.pidFile.c_str(), "w");
    if (file != nullptr) {
      std::fputs(pids.c_str(), file);
      std::fclose(file);
    }
  }
  // A hanging engine also ignores the end of its input: only a kill ends it.
  const bool stubborn = script.fault == "hang" || script.fault == "no-ready";
  std::string pending;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
      if (stubborn) SleepForever();
      return 0;
    }
    pending.append(buffer, static_cast<size_t>(got));
    size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
      Handle(script, pending.substr(0, end));
      pending.erase(0, end + 1);
    }
  }
}
