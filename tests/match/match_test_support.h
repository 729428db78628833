// Helpers of the runner's tests: scratch directories, records read back,
// curling-match run as a process, and whether a process is still there.
#pragma once

#include <string>
#include <vector>

#include "match/game/game_settings.h"
#include "match/platform/process.h"
#include "match/records/record_json.h"

// A fresh empty directory under /tmp.
std::string ScratchDirectory();

// Settings for a quick game between two engine commands, written to
// `directory`: no execution error, a fixed seed, two seconds a move.
match::game::GameSettings QuickGame(const std::string& first, const std::string& second,
                                    const std::string& directory, int ends);

// Every line of a JSON Lines file, parsed; a line that does not parse fails
// the test.
std::vector<match::records::RecordJson> ReadRecordLines(const std::string& path);

// The lines of one type ("delivery", "end", ...).
std::vector<match::records::RecordJson> LinesOfType(
    const std::vector<match::records::RecordJson>& lines, const std::string& type);

// The pids a fake engine wrote to its pid file.
std::vector<int> ReadPids(const std::string& path);

// True while the process exists and is not a zombie.
bool ProcessAlive(int pid);

// True once the process has ended, waiting up to two seconds: a killed
// process that is not the caller's child ends when the kernel next runs it,
// which on a busy machine is not at once.
bool ProcessEnds(int pid);

// A member of a record line: a whole number, and a text's bytes.
int IntegerOf(const match::records::RecordJson& line, const char* key);
std::string TextOf(const match::records::RecordJson& line, const char* key);

// Starts curling-match with `arguments`, its output going to the files
// stdout and stderr in `directory`.
match::platform::ChildProcess StartRunner(const std::vector<std::string>& arguments,
                                          const std::string& directory);

// The exit status, 128 plus the signal when a signal ended it, or -1 if it
// did not end within `seconds`; whatever is left of it is killed.
int WaitForExit(match::platform::ChildProcess& runner, int seconds);

std::string ReadFile(const std::string& path);
