// Which search decides the player's shots, set up from the command line.
#pragma once

#include "engine/command.h"
#include "search/engine_options.h"

// Sets up the chosen search with the time and seed given and returns its
// decision, for the command loop. Called once, before the first command.
ShotDecision ApplyEngineOptions(const EngineOptions& options);
