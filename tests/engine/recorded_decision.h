// The engine tests' own move decision: it records each call instead of
// searching, so that the commands can be checked without the search.
#pragma once

#include "simulator/curling_api.h"

extern int decisionCount;
// The game record the last decision was asked about.
extern GameState decisionState;

// Counts the call and keeps the calling thread's game record.
void RecordDecision();
