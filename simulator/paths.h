// The paths of a delivery's stones, sampled from what a sweep traced.
#pragma once

#include <vector>

#include "simulator/curling_api.h"
#include "simulator/sweep.h"

namespace sim {

// Appends each moved stone's samples to `samples` and says where they are in
// `paths` (the layout of SimulationWithPaths), one every `timeStep` seconds
// plus one at each start of a motion.
void SamplePaths(const SweepTrace& trace, double timeStep, std::vector<PathSample>& samples,
                 StonePath (&paths)[16]);

}  // namespace sim
