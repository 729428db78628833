// curling-opponent-tee: an engine that always draws to the tee, spin 0. The
// plainest legal play, for testing and as a floor of strength.
#include "engine/command_loop.h"
#include "engine/reply.h"
#include "engine/simulator.h"

namespace {

void DrawToTee() {
  ShotVec shot{};
  createShot(TeeTarget(0), &shot);
  WriteShotReply(shot);
}

}  // namespace

int main() {
  return CommandLoop(DrawToTee);
}
