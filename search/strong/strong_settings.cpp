#include "search/strong/strong_settings.h"

#include "engine/platform.h"

StrongSettings ShippedStrongSettings() {
  // Two threads where the system has them; one in the browser.
  const int threads = ThreadsAvailable() ? 2 : 1;
  return StrongSettings{kDefaultDecisionMs, false, 0, 0, threads, MonotonicMilliseconds};
}
