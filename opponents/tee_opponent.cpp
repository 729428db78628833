// curling-opponent-tee: an engine that always draws to the tee, spin 0. The
// plainest legal play, for testing and as a floor of strength.
#include "engine/command_loop.h"
#include "engine/reply.h"
#include "engine/simulator.h"
#include "search/search.h"

void DecideShot() {
  const ShotPos tee{2.375f, 4.88f, 0, {0, 0, 0}};
  ShotVec shot{};
  createShot(tee, &shot);
  WriteShotReply(shot);
}

int main() {
  return CommandLoop();
}
