#include "search/strong/strong_settings.h"

#include "engine/platform.h"

namespace {

// Written once at start-up, before any search thread exists.
StrongSettings current = DefaultStrongSettings();

}  // namespace

StrongSettings DefaultStrongSettings() {
  return StrongSettings{kDefaultDecisionMs, false, 0, 0, 2, MonotonicMilliseconds};
}

void SetStrongSettings(const StrongSettings& settings) {
  current = settings;
}

const StrongSettings& CurrentStrongSettings() {
  return current;
}
