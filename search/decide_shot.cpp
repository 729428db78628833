#include "engine/reply.h"
#include "search/search.h"

void DecideShot() {
  ShotVec shot{};
  EnsembleSearch(&shot);
  WriteShotReply(shot);
}
