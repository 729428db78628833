// Where a test program finds the programs and files it runs. The build writes
// the values into a small source of each test program (curling_test_locations
// in tests/CMakeLists.txt) rather than into compile definitions, so that the
// test sources compile to the same objects in every build folder and a
// compiler cache shares them between clones and between builds. A program
// defines only the names it uses.
#pragma once

namespace test_locations {

// The programs.
extern const char kEngine[];        // the engine under test
extern const char kStrongEngine[];  // the stronger search's program
extern const char kOpponentTee[];
extern const char kOpponentRandom[];
extern const char kOpponentGreedy[];
extern const char kMatch[];
extern const char kAnalyze[];
extern const char kFakeEngine[];  // the scripted misbehaving engine
extern const char kPython[];
// The engine under test's library file name, and the program that runs the
// engine (Wine, for the Windows engine), or empty.
extern const char kEngineLibrary[];
extern const char kEngineLauncher[];
// The physics library as the engine loads it.
extern const char kSimulatorLibrary[];
// Files of the source tree.
extern const char kPageFilesDir[];     // the game page's style and scripts
extern const char kReadReplyScript[];  // another program's reader of records

}  // namespace test_locations
