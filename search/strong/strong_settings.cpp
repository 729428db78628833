#include "search/strong/strong_settings.h"

#include "engine/platform.h"

namespace search::strong {

StrongSettings ShippedStrongSettings() {
  // Two threads where the system has them; one in the browser.
  const int threads = engine::ThreadsAvailable() ? 2 : 1;
  return StrongSettings{kDefaultDecisionMs, false, 0, 0, threads, engine::MonotonicMilliseconds};
}

}  // namespace search::strong
