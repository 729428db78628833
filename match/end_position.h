// The position an end's last stone leaves. The library closes an end inside
// the call that delivers its sixteenth stone and clears the sheet, so the
// picture of the end's final position needs the delivery without the close.
#pragma once

#include "simulator/curling_api.h"
#include "simulator/vec2.h"

// Delivers the released velocity `release` (execution error already applied)
// with `spin` as shot `before.shotNumber`, which must be 4 or later (the free
// guard zone no longer protects anything then), with the library's own sweep
// and rules, and returns the position: the stone in its slot, shotNumber one
// higher, turnFlag passed on, and the end not closed even after the
// sixteenth stone.
GameState DeliverWithoutClosing(const GameState& before, sim::Vec2 release, uint8_t spin);
