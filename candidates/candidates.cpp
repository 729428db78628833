// The candidate walk. It gives the same list as asking every predicate at every
// grid point, but finds the few points that can yield anything from the stones
// instead: each predicate holds only near a stone, in a stone's lane, on the
// guard rows or in the button circle. Every point found that way is then
// decided with the predicates' own arithmetic, and the work that depends on a
// stone alone (is it guarded, in the house, in which columns' lanes) is done
// once per call.
#include "candidates/candidates.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

namespace candidates {

namespace {

// One bit per grid row of a column, bit j for row j.
using RowBits = unsigned __int128;

// Looked up rather than shifted: a shift of all 128 bits takes a branch.
struct RowBitTable {
  RowBits bits[128];
};

constexpr RowBitTable BuildRowBits() {
  RowBitTable table{};
  for (int j = 0; j < 128; ++j) table.bits[j] = static_cast<RowBits>(1) << j;
  return table;
}

constexpr RowBitTable kRowBits = BuildRowBits();

constexpr RowBits RowBit(int j) {
  return kRowBits.bits[j];
}

int LowestRow(RowBits rows) {
  const auto low = static_cast<uint64_t>(rows);
  if (low != 0) return std::countr_zero(low);
  return 64 + std::countr_zero(static_cast<uint64_t>(rows >> 64));
}

int HighestRow(RowBits rows) {
  const auto high = static_cast<uint64_t>(rows >> 64);
  if (high != 0) return 127 - std::countl_zero(high);
  return 63 - std::countl_zero(static_cast<uint64_t>(rows));
}

// What depends on the grid alone, worked out at compile time with the same
// functions the predicates use.
struct GridTables {
  float x[kGridColumns];
  float laneRight[kGridColumns];  // x + kNeighbourLaneOffset, the lane of spin 0's path
  float laneLeft[kGridColumns];   // x - kNeighbourLaneOffset, the lane of spin 1's path
  float y[kGridRows];
  bool centreBand[kGridColumns];
  bool sideBand[kGridColumns];
  RowBits house[kGridColumns];
  // The points of the candidate region that pass each gate.
  RowBits rearOpen[kGridColumns];
  RowBits frontOpen[kGridColumns];
  RowBits button[kGridColumns];  // inside the region too
  RowBits beyondFront;           // rows beyond the front of the house
};

constexpr GridTables BuildGridTables() {
  GridTables t{};
  for (int j = 0; j < kGridRows; ++j) {
    t.y[j] = GridRowY(j);
    if (t.y[j] > kFrontOfHouseY) t.beyondFront |= RowBit(j);
  }
  for (int c = 0; c < kGridColumns; ++c) {
    const float x = GridColumnX(kFirstGridColumn + c);
    t.x[c] = x;
    t.laneRight[c] = LaneBeside(x, kNeighbourLaneOffset);
    t.laneLeft[c] = LaneBeside(x, -kNeighbourLaneOffset);
    t.centreBand[c] = InCentreBand(x);
    t.sideBand[c] = InSideBand(x);
    for (int j = 0; j < kGridRows; ++j) {
      const float y = t.y[j];
      if (InHouse(x, y)) t.house[c] |= RowBit(j);
      if (!InCandidateRegion(x, y)) continue;
      if (PassesRearGate(x, y)) t.rearOpen[c] |= RowBit(j);
      if (PassesFrontGate(x, y)) t.frontOpen[c] |= RowBit(j);
      if (InButtonCircle(x, y)) t.button[c] |= RowBit(j);
    }
  }
  return t;
}

constexpr GridTables kGrid = BuildGridTables();

struct Span {
  int first;
  int last;  // inclusive; empty when last < first
};

// The indices of a grid of values near origin + i / 10, i = 0 .. count - 1,
// that may lie in the open interval (lo, hi). It errs on the wide side by a
// few millimetres, since each index is then tested exactly; infinite or NaN
// bounds give an empty or clamped span, never an out-of-range conversion.
Span GridSpan(double lo, double hi, double origin, int count) {
  constexpr double kSlack = 0.05;  // grid steps
  const double a = (lo - origin) * 10.0 - kSlack;
  const double b = (hi - origin) * 10.0 + kSlack;
  if (!(a <= b) || b < 0.0 || a > count - 1) return {0, -1};
  // Ceiling and floor of values in [0, count - 1] by truncation, which the
  // library calls would cost more than the rest of the span.
  const double first = std::max(a, 0.0);
  const double last = std::min(b, count - 1.0);
  const int truncated = static_cast<int>(first);
  return {truncated + (static_cast<double>(truncated) < first ? 1 : 0), static_cast<int>(last)};
}

Span ColumnSpan(double lo, double hi) {
  return GridSpan(lo, hi, 0.5, kGridColumns);
}
Span RowSpan(double lo, double hi) {
  return GridSpan(lo, hi, 3.0, kGridRows);
}

bool InLane(float stoneX, float x) {
  return std::fabs(stoneX - x) < kLaneHalfWidth;
}

// What the call needs to know about each stone, and about the stones in the
// lanes of each column.
struct StoneTable {
  float x[16];
  float y[16];
  // Bit i for stone i: not guarded (asked only above the back line and in the
  // house); in the house; above kBelowAskedStones, where a stone can be ahead
  // of a stone that is asked about.
  uint32_t open;
  uint32_t inHouse;
  uint32_t upper;
  uint32_t lane[kGridColumns];  // bit i: stone i is in the column's lane
  // The greatest y of a stone in the lane x + (x -) kNeighbourLaneOffset of the column,
  // -infinity when there is none: a stone there is ahead of a row exactly
  // when this exceeds the row's y.
  float aheadRight[kGridColumns];
  float aheadLeft[kGridColumns];
};

// Stones that lie this low on the sheet are ahead of no stone whose
// guard is asked for: those lie above the back line or in the house.
constexpr float kBelowAskedStones = 3.0f;
static_assert(kBelowAskedStones < kBackLineY - 0.01);

// IsGuarded at the position of a stone above the back line or in the house,
// asking only the stones in t.upper, the others being below it.
bool StoneGuarded(const StoneTable& t, float x, float y) {
  if (!PassesRearGate(x, y)) return false;
  bool farLaneStone = false;
  uint32_t aheadOfIt = 0;
  for (uint32_t left = t.upper; left != 0; left &= left - 1) {
    const int k = std::countr_zero(left);
    if (!(t.y[k] > y)) continue;
    aheadOfIt |= 1U << k;
    if (!InLane(t.x[k], x)) continue;
    const float ahead = t.y[k] - y;
    if (ahead > kLaneHalfWidth && ahead < kFarAhead) return true;
    if (ahead >= kFarAhead) farLaneStone = true;
  }
  if (!farLaneStone) return false;
  // Both curling paths beside the lane blocked too, as for a grid point.
  const float right = LaneBeside(x, kNeighbourLaneOffset);
  const float left = LaneBeside(x, -kNeighbourLaneOffset);
  bool rightBlocked = false;
  bool leftBlocked = false;
  for (; aheadOfIt != 0; aheadOfIt &= aheadOfIt - 1) {
    const int k = std::countr_zero(aheadOfIt);
    rightBlocked = rightBlocked || InLane(t.x[k], right);
    leftBlocked = leftBlocked || InLane(t.x[k], left);
  }
  return rightBlocked && leftBlocked;
}

void LoadStones(const GameState& state, StoneTable& t) {
  constexpr float kNone = -std::numeric_limits<float>::infinity();
  std::fill(std::begin(t.lane), std::end(t.lane), 0U);
  std::fill(std::begin(t.aheadRight), std::end(t.aheadRight), kNone);
  std::fill(std::begin(t.aheadLeft), std::end(t.aheadLeft), kNone);
  // Most stones of a playout's early shots wait at the origin, and are left
  // out when a stone's guard is asked for.
  t.upper = 0;
  t.open = 0;
  t.inHouse = 0;
  for (int i = 0; i < 16; ++i) {
    t.x[i] = state.stones[i].x;
    t.y[i] = state.stones[i].y;
    if (!(t.y[i] <= kBelowAskedStones)) t.upper |= 1U << i;
  }
  for (int i = 0; i < 16; ++i) {
    const float x = t.x[i];
    const float y = t.y[i];
    const bool inHouse = InHouse(x, y);
    if (inHouse) t.inHouse |= 1U << i;
    if ((y > kBackLineY || inHouse) && !StoneGuarded(t, x, y)) t.open |= 1U << i;
    // A stone this far to a side, or out of play at the origin, is in no
    // column's lanes.
    constexpr double kReach = kNeighbourLaneOffset + kLaneHalfWidth + 0.01;
    if (!(x > kGrid.x[0] - kReach && x < kGrid.x[kGridColumns - 1] + kReach)) continue;
    const double wx = x;
    Span span = ColumnSpan(wx - kLaneHalfWidth, wx + kLaneHalfWidth);
    for (int c = span.first; c <= span.last; ++c) {
      if (InLane(x, kGrid.x[c])) t.lane[c] |= 1U << i;
    }
    span = ColumnSpan(wx - kNeighbourLaneOffset - kLaneHalfWidth,
                      wx - kNeighbourLaneOffset + kLaneHalfWidth);
    for (int c = span.first; c <= span.last; ++c) {
      if (InLane(x, kGrid.laneRight[c]) && y > t.aheadRight[c]) t.aheadRight[c] = y;
    }
    span = ColumnSpan(wx + kNeighbourLaneOffset - kLaneHalfWidth,
                      wx + kNeighbourLaneOffset + kLaneHalfWidth);
    for (int c = span.first; c <= span.last; ++c) {
      if (InLane(x, kGrid.laneLeft[c]) && y > t.aheadLeft[c]) t.aheadLeft[c] = y;
    }
  }
}

// The number of rows, from the first, for which holds(j) is true, where holds
// is true up to some row and false from there on: a guess from the rows'
// spacing, the first row at or past guessY, set right with holds itself.
template <typename Holds>
int LeadingRows(double guessY, Holds holds) {
  const double scaled = (guessY - kGrid.y[0]) * 10.0;
  int rows = scaled > 0.0 ? static_cast<int>(std::min(scaled + 1.0, double{kGridRows})) : 0;
  while (rows < kGridRows && holds(rows)) ++rows;
  while (rows > 0 && !holds(rows - 1)) --rows;
  return rows;
}

// The number of rows whose y is below `y`.
int RowsBelow(float y) {
  return LeadingRows(y, [y](int j) { return kGrid.y[j] < y; });
}

RowBits RowsUpTo(int rows) {
  return RowBit(rows) - 1;
}

// The rows of column c where IsGuarded holds, from the column's lane stones.
// A stone's distance ahead of a row only shrinks up the column, so each bound
// of the predicate is one row per stone: rows some lane stone is more than a
// lane half width and less than kFarAhead ahead of; and rows a lane stone is
// at least kFarAhead ahead of, where both curling lanes have a stone ahead.
RowBits GuardedRows(const StoneTable& t, int c) {
  if (t.lane[c] == 0) return 0;
  RowBits near = 0;
  RowBits far = 0;
  for (uint32_t lane = t.lane[c]; lane != 0; lane &= lane - 1) {
    const float stoneY = t.y[std::countr_zero(lane)];
    const auto ahead = [stoneY](int j) -> float { return stoneY - kGrid.y[j]; };
    const int farRows =
        LeadingRows(stoneY - kFarAhead, [&ahead](int j) { return ahead(j) >= kFarAhead; });
    const int guardRows =
        LeadingRows(stoneY - kLaneHalfWidth, [&ahead](int j) { return ahead(j) > kLaneHalfWidth; });
    far |= RowsUpTo(farRows);
    near |= RowsUpTo(guardRows) & ~RowsUpTo(farRows);
  }
  const RowBits bothLanesAhead = RowsUpTo(RowsBelow(std::min(t.aheadRight[c], t.aheadLeft[c])));
  return kGrid.rearOpen[c] & (near | (far & bothLanesAhead));
}

void MarkHits(const StoneTable& t, RowBits* hit) {
  for (uint32_t left = t.open; left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    if (!(t.y[i] > kBackLineY)) continue;
    const Span columns = ColumnSpan(t.x[i] - kHitReach, t.x[i] + kHitReach);
    const Span rows = RowSpan(t.y[i] - kHitReach, t.y[i] + kHitAhead);
    for (int c = columns.first; c <= columns.last; ++c) {
      for (int j = rows.first; j <= rows.last; ++j) {
        const float ahead = kGrid.y[j] - t.y[i];
        const float dy = t.y[i] - kGrid.y[j];
        const float dx = t.x[i] - kGrid.x[c];
        const float distanceSquared = dy * dy + dx * dx;
        if (ahead < kHitAhead && distanceSquared < kHitReach * kHitReach) {
          hit[c] |= RowBit(j) & kGrid.rearOpen[c];
        }
      }
    }
  }
}

void MarkFreezes(const StoneTable& t, RowBits* draw) {
  for (uint32_t left = t.open & t.inHouse; left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    const Span columns = ColumnSpan(t.x[i] - kFreezeLaneHalfWidth, t.x[i] + kFreezeLaneHalfWidth);
    const Span rows = RowSpan(t.y[i] + kFreezeNearest, t.y[i] + kFreezeFarthest);
    for (int c = columns.first; c <= columns.last; ++c) {
      if (!(std::fabs(t.x[i] - kGrid.x[c]) < kFreezeLaneHalfWidth)) continue;
      RowBits freeze = 0;
      for (int j = rows.first; j <= rows.last; ++j) {
        const float ahead = kGrid.y[j] - t.y[i];
        if (ahead > kFreezeNearest && ahead < kFreezeFarthest) freeze |= RowBit(j);
      }
      draw[c] |= freeze & kGrid.frontOpen[c];
    }
  }
}

RowBits GuardRowBits(int k, const StrategyTable& table) {
  const double row = table[k];
  const Span rows = RowSpan(row - kGuardRowReach, row + kGuardRowReach);
  RowBits bits = 0;
  for (int j = rows.first; j <= rows.last; ++j) {
    if (OnGuardRow(kGrid.y[j], k, table)) bits |= RowBit(j);
  }
  return bits;
}

// What a strategy table gives the grid's rows: the rows of the four guard
// rows, and the lowest power a hit at each row is offered at.
struct StrategyRows {
  RowBits guard[4];
  int lowestHitPower[kGridRows];
};

StrategyRows RowsOf(const StrategyTable& table) {
  StrategyRows rows{};
  for (int k = 0; k < 4; ++k) rows.guard[k] = GuardRowBits(k, table);
  for (int j = 0; j < kGridRows; ++j) rows.lowestHitPower[j] = LowestHitPower(kGrid.y[j], table);
  return rows;
}

// The rows of the shipped table, worked out once; those of any other table,
// which only tests hand in, on every call.
class RowsOfStrategy {
 public:
  explicit RowsOfStrategy(const StrategyTable& table) {
    if (&table == &yThresholds) {
      static const StrategyRows shipped = RowsOf(yThresholds);
      rows_ = &shipped;
    } else {
      other_ = RowsOf(table);
      rows_ = &other_;
    }
  }
  const StrategyRows& operator*() const { return *rows_; }

 private:
  const StrategyRows* rows_;
  StrategyRows other_;
};

void CentreGuards(RowBits nearRows, RowBits* draw) {
  for (int c = 0; c < kGridColumns; ++c) {
    if (kGrid.centreBand[c])
      draw[c] |= ~kGrid.house[c] & kGrid.beyondFront & nearRows & kGrid.rearOpen[c];
  }
}

void CornerGuards(const StoneTable& t, RowBits nearRows, RowBits* draw) {
  RowBits rows = 0;
  for (RowBits left = nearRows; left != 0; left &= left - 1) {
    const int j = LowestRow(left);
    if (kGrid.y[j] > t.y[0]) rows |= RowBit(j);
  }
  for (int c = 0; c < kGridColumns; ++c) {
    if (kGrid.sideBand[c]) draw[c] |= ~kGrid.house[c] & rows & kGrid.rearOpen[c];
  }
}

// Some stone of `nearby` lies closer than kGuardClearance to the point.
bool StoneWithinGuardClearance(const StoneTable& t, uint32_t nearby, float x, float y) {
  for (; nearby != 0; nearby &= nearby - 1) {
    const int i = std::countr_zero(nearby);
    const float dy = t.y[i] - y;
    const float dx = t.x[i] - x;
    if (dy * dy + dx * dx < kGuardClearance * kGuardClearance) return true;
  }
  return false;
}

bool NearStoneAheadAt(const StoneTable& t, int c, float y) {
  for (uint32_t lane = t.lane[c]; lane != 0; lane &= lane - 1) {
    const float stoneY = t.y[std::countr_zero(lane)];
    const float ahead = stoneY - y;
    if (stoneY > y && ahead < kFarAhead) return true;
  }
  return false;
}

void EarlyGuards(const StoneTable& t, bool odd, RowBits nearRows, RowBits* draw) {
  if (nearRows == 0) return;
  // Only rows with some stone behind them can hold an early guard.
  float lowestStone = std::numeric_limits<float>::infinity();
  for (const float y : t.y) {
    if (y < lowestStone) lowestStone = y;
  }
  // A stone farther along the sheet than the clearance from every one of the
  // rows is within the clearance of none of their points.
  const double lowRow = kGrid.y[LowestRow(nearRows)];
  const double highRow = kGrid.y[HighestRow(nearRows)];
  uint32_t nearby = 0;
  for (int i = 0; i < 16; ++i) {
    const double y = t.y[i];
    if (!(y <= lowRow - kGuardClearance - 0.01) && !(y >= highRow + kGuardClearance + 0.01))
      nearby |= 1U << i;
  }
  for (int c = 0; c < kGridColumns; ++c) {
    if (!(odd ? kGrid.sideBand[c] : kGrid.centreBand[c])) continue;
    for (RowBits left = nearRows & ~kGrid.house[c] & kGrid.rearOpen[c]; left != 0;
         left &= left - 1) {
      const int j = LowestRow(left);
      const float y = kGrid.y[j];
      if (!(lowestStone < y) || StoneWithinGuardClearance(t, nearby, kGrid.x[c], y)) continue;
      if (!odd && NearStoneAheadAt(t, c, y)) continue;
      draw[c] |= RowBit(j);
    }
  }
}

void OwnStoneGuards(const StoneTable& t, int shotNumber, RowBits anyGuardRow, RowBits* draw) {
  // The stones of the side to play: the slots of the shot's parity.
  const uint32_t ownSlots = shotNumber % 2 == 0 ? 0x5555U : 0xAAAAU;
  for (uint32_t left = t.open & t.inHouse & ownSlots; left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    // The rows ahead of the stone and less than kFarAhead from it: a distance
    // that only grows up the column gives one bound for each.
    const float stoneY = t.y[i];
    const int notAhead = LeadingRows(stoneY, [stoneY](int j) { return !(kGrid.y[j] > stoneY); });
    const int near = LeadingRows(stoneY + kFarAhead, [stoneY](int j) {
      const float distance = kGrid.y[j] - stoneY;
      return distance < kFarAhead;
    });
    const RowBits ahead = RowsUpTo(near) & ~RowsUpTo(notAhead);
    const Span columns = ColumnSpan(t.x[i] - kLaneHalfWidth, t.x[i] + kLaneHalfWidth);
    for (int c = columns.first; c <= columns.last; ++c) {
      if ((t.lane[c] & (1U << i)) != 0)
        draw[c] |= ahead & (kGrid.house[c] | anyGuardRow) & kGrid.rearOpen[c];
    }
  }
}

// Guard rows marked straight into the draws, each through the rear gate.
void MarkGuards(const StoneTable& t, const StrategyRows& strategy, int shotNumber, RowBits* draw) {
  const RowBits* guardRows = strategy.guard;
  const RowBits nearRows = guardRows[2] | guardRows[3];
  const bool odd = shotNumber % 2 != 0;
  if (shotNumber < 2) {
    if (odd) {
      CornerGuards(t, nearRows, draw);
    } else {
      CentreGuards(nearRows, draw);
    }
  } else if (shotNumber < 4) {
    EarlyGuards(t, odd, nearRows, draw);
  } else {
    OwnStoneGuards(t, shotNumber, guardRows[0] | guardRows[1] | nearRows, draw);
    bool anyInHouse = false;
    for (int i = 0; i < std::min(shotNumber, 16); ++i)
      anyInHouse = anyInHouse || (t.inHouse >> i & 1U) != 0;
    if (!anyInHouse) {
      if (odd) {
        CornerGuards(t, nearRows, draw);
      } else {
        CentreGuards(nearRows, draw);
      }
    }
  }
}

void MarkFarGuardDraws(const StoneTable& t, RowBits* draw) {
  // Only the entries of farColumns are set, and only they are read.
  RowBits far[kGridColumns];
  uint64_t farColumns = 0;
  // A stone below kBelowAskedStones is not kFarAhead ahead of any row.
  for (uint32_t left = t.upper; left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    const float stoneY = t.y[i];
    const RowBits behind = RowsUpTo(LeadingRows(stoneY - kFarAhead, [stoneY](int j) {
      const float distance = stoneY - kGrid.y[j];
      return distance > kFarAhead;
    }));
    if (behind == 0) continue;
    const Span columns = ColumnSpan(t.x[i] - kLaneHalfWidth, t.x[i] + kLaneHalfWidth);
    for (int c = columns.first; c <= columns.last; ++c) {
      if ((t.lane[c] & (1U << i)) == 0) continue;
      const uint64_t column = uint64_t{1} << c;
      far[c] = (farColumns & column) != 0 ? far[c] | behind : behind;
      farColumns |= column;
    }
  }
  for (; farColumns != 0; farColumns &= farColumns - 1) {
    const int c = std::countr_zero(farColumns);
    // Points that already have their draw need not be asked again.
    const RowBits open = far[c] & kGrid.frontOpen[c] & kGrid.house[c] & ~draw[c];
    if (open != 0) draw[c] |= open & ~GuardedRows(t, c);
  }
}

void MarkLateButtons(const StoneTable& t, RowBits* draw) {
  for (int c = 0; c < kGridColumns; ++c) {
    const RowBits open = kGrid.button[c] & ~draw[c];
    if (open != 0) draw[c] |= open & ~GuardedRows(t, c);
  }
}

ShotCandidate Candidate(float x, float y, uint8_t spin, int32_t power) {
  ShotCandidate candidate{};
  candidate.target.x = x;
  candidate.target.y = y;
  candidate.target.spin = spin;
  candidate.power = power;
  return candidate;
}

// The spins a point of column c at height y is offered with.
struct Spins {
  uint8_t first;
  uint8_t count;
};

Spins SpinsAt(const StoneTable& t, int c, float y) {
  // A stone ahead in the path of one spin leaves only the other.
  if (t.aheadRight[c] > y) return {0, 1};
  if (t.aheadLeft[c] > y) return {1, 1};
  return {0, 2};
}

// Everything the list is made of: the stones and the points marked for hits
// and for draws.
struct Marks {
  const StrategyRows* strategy;
  StoneTable stones;
  RowBits hit[kGridColumns];
  RowBits draw[kGridColumns];
};

void MarkPoints(const GameState& state, const StrategyRows& strategy, Marks& marks) {
  marks.strategy = &strategy;
  LoadStones(state, marks.stones);
  // Cleared as bytes: the library fills 128-bit integers one at a time.
  std::memset(marks.hit, 0, sizeof marks.hit);
  std::memset(marks.draw, 0, sizeof marks.draw);
  MarkHits(marks.stones, marks.hit);
  MarkFreezes(marks.stones, marks.draw);
  MarkGuards(marks.stones, *marks.strategy, state.shotNumber, marks.draw);
  MarkFarGuardDraws(marks.stones, marks.draw);
  if (state.shotNumber > 13) MarkLateButtons(marks.stones, marks.draw);
}

int WriteList(const Marks& marks, ShotCandidate* out) {
  const auto teeX = static_cast<float>(kTeeX);
  const auto teeY = static_cast<float>(kTeeY);
  out[0] = Candidate(teeX, teeY, 0, kDrawPower);
  out[1] = Candidate(teeX, teeY, 1, kDrawPower);
  int count = 2;
  for (int c = 0; c < kGridColumns; ++c) {
    const float x = kGrid.x[c];
    const RowBits hit = marks.hit[c];
    const RowBits draw = marks.draw[c];
    for (RowBits left = hit | draw; left != 0; left &= left - 1) {
      const int j = LowestRow(left);
      const float y = kGrid.y[j];
      const Spins spins = SpinsAt(marks.stones, c, y);
      const int lastSpin = spins.first + spins.count - 1;
      if ((hit & RowBit(j)) != 0) {
        for (int power = marks.strategy->lowestHitPower[j]; power <= 15; ++power) {
          for (int spin = spins.first; spin <= lastSpin; ++spin) {
            if (count == kCandidateCapacity) return count;
            out[count++] = Candidate(x, y, static_cast<uint8_t>(spin), power);
          }
        }
      }
      if ((draw & RowBit(j)) != 0) {
        for (int spin = spins.first; spin <= lastSpin; ++spin) {
          if (count == kCandidateCapacity) return count;
          out[count++] = Candidate(x, y, static_cast<uint8_t>(spin), kDrawPower);
        }
      }
    }
  }
  return count;
}

// Entries a marked point adds to the list: its hits, powers ascending with
// each power's spins, then its draws.
struct PointEntries {
  int firstPower;
  int hits;
  int total;
};

PointEntries EntriesAt(bool hit, bool draw, int lowestHitPower, Spins spins) {
  PointEntries entries{16, 0, 0};
  if (hit) {
    entries.firstPower = lowestHitPower;
    entries.hits = (16 - entries.firstPower) * spins.count;
  }
  entries.total = entries.hits + (draw ? spins.count : 0);
  return entries;
}

// Bits counted by halving, which beats the library's count on processors
// without a count instruction.
int PopCount(uint64_t bits) {
  // Most columns mark rows of only one half: the house or the guard zone.
  if (bits == 0) return 0;
  bits = bits - ((bits >> 1) & 0x5555555555555555ULL);
  bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
  bits = (bits + (bits >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
  return static_cast<int>((bits * 0x0101010101010101ULL) >> 56);
}

int PopCount(RowBits rows) {
  return PopCount(static_cast<uint64_t>(rows)) + PopCount(static_cast<uint64_t>(rows >> 64));
}

// The entries of column c, counted without visiting its draw points one by
// one: the rows short of the nearest stone ahead in a curling path offer one
// spin, the others two.
int ColumnEntries(const Marks& marks, int c) {
  const StoneTable& t = marks.stones;
  const RowBits twoSpins = ~RowsUpTo(RowsBelow(std::max(t.aheadRight[c], t.aheadLeft[c])));
  const RowBits draw = marks.draw[c];
  int entries = PopCount(draw) + PopCount(draw & twoSpins);
  for (RowBits left = marks.hit[c]; left != 0; left &= left - 1) {
    const int j = LowestRow(left);
    const int powers = 16 - marks.strategy->lowestHitPower[j];
    entries += (twoSpins & RowBit(j)) != 0 ? 2 * powers : powers;
  }
  return entries;
}

// Entry `index` of column c's entries.
ShotCandidate EntryOfColumn(const Marks& marks, int c, int index) {
  const RowBits hit = marks.hit[c];
  const RowBits draw = marks.draw[c];
  for (RowBits left = hit | draw; left != 0; left &= left - 1) {
    const int j = LowestRow(left);
    const float y = kGrid.y[j];
    const Spins spins = SpinsAt(marks.stones, c, y);
    const PointEntries entries = EntriesAt((hit & RowBit(j)) != 0, (draw & RowBit(j)) != 0,
                                           marks.strategy->lowestHitPower[j], spins);
    if (index >= entries.total) {
      index -= entries.total;
      continue;
    }
    if (index < entries.hits) {
      return Candidate(kGrid.x[c], y, static_cast<uint8_t>(spins.first + index % spins.count),
                       entries.firstPower + index / spins.count);
    }
    return Candidate(kGrid.x[c], y, static_cast<uint8_t>(spins.first + index - entries.hits),
                     kDrawPower);
  }
  return ShotCandidate{};  // not reached: the index lies within the column
}

}  // namespace

int GenerateCandidates(ShotCandidate* out, const StrategyTable& table) {
  const RowsOfStrategy strategy(table);
  Marks marks;
  MarkPoints(engine::gameState, *strategy, marks);
  return WriteList(marks, out);
}

ShotCandidate PickCandidate(uint32_t draw, const StrategyTable& table) {
  const RowsOfStrategy strategy(table);
  Marks marks;
  MarkPoints(engine::gameState, *strategy, marks);
  // The count first, as the list would hold it: the tee draws, every column's
  // entries, and no more than the capacity.
  // Only the columns with a mark are counted and walked.
  uint64_t marked = 0;
  for (int c = 0; c < kGridColumns; ++c) {
    if ((marks.hit[c] | marks.draw[c]) != 0) marked |= uint64_t{1} << c;
  }
  int columnEntries[kGridColumns];
  int count = 2;
  for (uint64_t left = marked; left != 0; left &= left - 1) {
    const int c = std::countr_zero(left);
    columnEntries[c] = ColumnEntries(marks, c);
    count += columnEntries[c];
  }
  count = std::min(count, kCandidateCapacity);
  int index = static_cast<int>(draw % static_cast<uint32_t>(count));
  if (index < 2) {
    return Candidate(static_cast<float>(kTeeX), static_cast<float>(kTeeY),
                     static_cast<uint8_t>(index), kDrawPower);
  }
  index -= 2;
  for (uint64_t left = marked;; left &= left - 1) {
    const int c = std::countr_zero(left);
    if (index < columnEntries[c]) return EntryOfColumn(marks, c, index);
    index -= columnEntries[c];
  }
}

}  // namespace candidates
