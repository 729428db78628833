#include "engine/reply.h"
#include "search/search.h"
#include "search/search_settings.h"

namespace {

void (*selectedDecision)() = DecideReferenceShot;

}  // namespace

void DecideReferenceShot() {
  SeedReferenceDecision();
  ShotVec shot{};
  EnsembleSearch(&shot);
  WriteShotReply(shot);
}

void SelectDecision(void (*decision)()) {
  selectedDecision = decision;
}

void DecideShot() {
  selectedDecision();
}
