#include "search/strong/strong_settings.h"

#include "engine/platform.h"

StrongSettings ShippedStrongSettings() {
  return StrongSettings{kDefaultDecisionMs, false, 0, 0, 2, MonotonicMilliseconds};
}
