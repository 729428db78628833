// Prints the digest of each set of golden deliveries, one a line ("NAME HEX"),
// as the library it is linked with computes them. Exits 1 when the library
// refused a delivery.
#include <cstdio>

#include "tests/golden/golden_deliveries.h"

int main() {
  int status = 0;
  for (const golden::GoldenSet& set : golden::kGoldenSets) {
    const golden::GoldenRun run = set.run();
    std::printf("%s %s\n", set.name, golden::DigestText(run.digest).c_str());
    if (!run.allOk) {
      std::fprintf(stderr, "%s: the library refused a delivery\n", set.name);
      status = 1;
    }
  }
  return status;
}
