#include "engine/reply.h"
#include "search/search.h"
#include "search/search_settings.h"

void DecideShot() {
  SeedReferenceDecision();
  ShotVec shot{};
  EnsembleSearch(&shot);
  WriteShotReply(shot);
}
