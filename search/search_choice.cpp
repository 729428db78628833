#include "search/search_choice.h"

#include "search/search.h"
#include "search/search_settings.h"
#include "search/strong/strong_search.h"
#include "search/strong/strong_settings.h"

ShotDecision ApplyEngineOptions(const EngineOptions& options) {
  if (options.search == SearchKind::kStrong) {
    StrongSettings settings = DefaultStrongSettings();
    if (options.timeGiven) settings.timeMs = options.timeMs;
    settings.seedGiven = options.seedGiven;
    settings.seed = options.seed;
    settings.sampleBudget = options.samples;
    SetStrongSettings(settings);
    return DecideShotStrong;
  }
  SetReferenceOptions(ReferenceOptions{options.timeGiven ? options.timeMs : kReferenceDecisionMs,
                                       options.seedGiven, options.seed});
  return DecideShot;
}
