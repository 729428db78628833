#include "simulator/paths.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

PathSample SampleAt(const StoneTrace& stone, double time) {
  // The motion in force: the last one started by then.
  size_t k = 0;
  while (k + 1 < stone.motions.size() && stone.motions[k + 1].startTime <= time) ++k;
  const Vec2 p = KinematicsAt(stone.motions[k], time).position;
  return {static_cast<float>(time), static_cast<float>(p.x), static_cast<float>(p.y)};
}

void SampleStone(const StoneTrace& stone, double timeStep, std::vector<PathSample>& samples) {
  const auto firstMove = std::find_if(stone.motions.begin(), stone.motions.end(),
                                      [](const Motion& m) { return m.startSpeed > 0.0; });
  if (firstMove == stone.motions.end()) return;
  const double start = firstMove->startTime;
  const double end = stone.endTime >= 0.0 ? stone.endTime : StopTime(stone.motions.back());
  std::vector<double> times = {start};
  for (double k = std::floor(start / timeStep) + 1; k * timeStep < end; ++k) {
    times.push_back(k * timeStep);
  }
  for (const Motion& motion : stone.motions) {
    if (motion.startTime > start && motion.startTime < end) times.push_back(motion.startTime);
  }
  times.push_back(end);
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  for (const double time : times) samples.push_back(SampleAt(stone, time));
}

}  // namespace

void SamplePaths(const SweepTrace& trace, double timeStep, std::vector<PathSample>& samples,
                 StonePath (&paths)[16]) {
  for (int i = 0; i < 16; ++i) {
    const size_t first = samples.size();
    SampleStone(trace.stones[i], timeStep, samples);
    paths[i] = StonePath{};
    paths[i].first = static_cast<int32_t>(first);
    paths[i].count = static_cast<int32_t>(samples.size() - first);
    paths[i].leftPlay = paths[i].count > 0 && trace.stones[i].leftPlay ? 1 : 0;
  }
}

}  // namespace sim
