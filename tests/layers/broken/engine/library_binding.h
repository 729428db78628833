// The library's exports stay global under their C names; nothing else may.
#pragma once

extern SimulationFn simulation;
extern GetScoreFn getScore;

namespace engine {

bool BindSimulator();

}  // namespace engine

extern int bound;
