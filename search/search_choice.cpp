#include "search/search_choice.h"

#include "search/reference_player.h"
#include "search/search_settings.h"
#include "search/strong/strong_search.h"
#include "search/strong/strong_settings.h"

namespace search {

ChosenPlayer ChoosePlayer(const EngineOptions& options) {
  if (options.search == SearchKind::kStrong) {
    strong::StrongSettings settings = strong::ShippedStrongSettings();
    settings.seedGiven = options.seedGiven;
    settings.seed = options.seed;
    settings.sampleBudget = options.samples;
    settings.evaluation = options.evaluation;
    return {std::make_unique<strong::StrongPlayer>(settings),
            options.timeGiven ? options.timeMs : kDefaultDecisionMs};
  }
  return {std::make_unique<ReferencePlayer>(ReferenceOptions{options.seedGiven, options.seed}),
          options.timeGiven ? options.timeMs : kDefaultDecisionMs};
}

}  // namespace search
