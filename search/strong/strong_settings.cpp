#include "search/strong/strong_settings.h"

#include "engine/platform.h"

StrongSettings DefaultStrongSettings() {
  return StrongSettings{kDefaultDecisionMs, false, 0, 0, 2, MonotonicMilliseconds};
}
