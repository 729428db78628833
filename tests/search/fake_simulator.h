// A stand-in for the simulator library whose effects the search tests can
// predict: every delivery advances the shot number, marks the record, and the
// sixteenth closes the end with a chosen score.
#pragma once

#include <atomic>
#include <cstdint>

// Deliveries made through the fake, from every thread.
extern std::atomic<uint64_t> fakeDeliveries;

// Score the fake records for every end it closes.
extern std::atomic<int32_t> fakeEndScore;

// Points the engine's simulator entry points at the fake and resets its counts.
void UseFakeSimulator();
