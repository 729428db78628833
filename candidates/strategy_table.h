// The strategy table: sixteen positions along the sheet, strictly
// decreasing, that give the candidates their guard rows (entries 0 to 3) and
// a target its lowest hit power.
#pragma once

#include <array>

#include "simulator/sheet.h"

namespace candidates {

using StrategyTable = std::array<float, 16>;

// The float nearest to each of the sheet's threshold rows.
constexpr StrategyTable InitStrategyTables() {
  StrategyTable table{};
  for (int i = 0; i < 16; ++i) table[i] = static_cast<float>(kThresholdRowY[i]);
  return table;
}

// The table every program plays with: a constant, worked out by the compiler,
// so that the candidate walk works out what it gives the grid once. The
// predicates and the walk also take another table, for tests that ask how the
// candidates follow the table.
inline constexpr StrategyTable yThresholds = InitStrategyTables();

}  // namespace candidates
