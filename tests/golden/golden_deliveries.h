// The golden deliveries of the physics: fixed sets of deliveries whose
// settled records hash to values that the simulator's golden tests keep. They
// go through the C interface alone, so that the same sets run against any
// build of the library: the one linked into the tests, or the Windows
// library under Wine (physics-digest).
#pragma once

#include <cstdint>
#include <string>

#include "simulator/curling_api.h"

namespace golden {

// What one set of deliveries did.
struct GoldenRun {
  uint64_t digest;  // FNV-1a over the bytes of every record the set hashes
  bool allOk;       // every delivery was accepted (kSimOk)
  int moved;        // deliveries that moved a stone already on the sheet
  GameState last;   // the record after the last delivery
};

// Sixteen draws without execution error into an empty end, alternating spins.
GoldenRun DrawsWithoutErrorBuildAWholeEnd();
// Hits of every power with both spins, each on its own copy of a crowded house.
GoldenRun HitsOfEveryPowerIntoACrowdedHouse();
// Draws and hits with execution error from a fixed seed: the end of the
// crowded house, then a whole end.
GoldenRun NoisyShotsFromAFixedSeed();
// A hundred and fifty ends of random draws and hits, with execution error.
GoldenRun WholeEndsOfRandomShots();

struct GoldenSet {
  const char* name;
  GoldenRun (*run)();
};
// The sets above, in this order, by name.
inline constexpr GoldenSet kGoldenSets[] = {
    {"DrawsWithoutErrorBuildAWholeEnd", DrawsWithoutErrorBuildAWholeEnd},
    {"HitsOfEveryPowerIntoACrowdedHouse", HitsOfEveryPowerIntoACrowdedHouse},
    {"NoisyShotsFromAFixedSeed", NoisyShotsFromAFixedSeed},
    {"WholeEndsOfRandomShots", WholeEndsOfRandomShots},
};

// A digest as sixteen hexadecimal digits, as the tests and the program show it.
std::string DigestText(uint64_t digest);

}  // namespace golden
