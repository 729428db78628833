// The ways an engine can fail a game, named as the records name them. Apart
// from the engine client, so that the portable parts (the record's lines, the
// result of a game) have them without the processes.
#pragma once

namespace match::engines {

enum class Fault {
  kNone,
  kNoStart,       // the program could not be started
  kCrash,         // the engine ended, or closed its output, during the game
  kTime,          // no complete reply within the time it had
  kIllegalReply,  // a reply that is not the one expected, or not a legal shot
  kInterrupted,   // the runner itself was told to stop
};

// "did not start", "crash", "time", "illegal reply", "interrupted", "".
const char* FaultName(Fault fault);

}  // namespace match::engines
