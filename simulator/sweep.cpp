#include "simulator/sweep.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

#include "simulator/collision.h"
#include "simulator/flight.h"
#include "simulator/path_cover.h"
#include "simulator/sheet.h"

namespace sim {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A step aims at a point short of contact by a share of the gap: the
// smallest share makes the gap shrink geometrically however obliquely the
// stones meet.
constexpr double kMarginShares[3] = {0.1, 0.5, 0.9};
// Floor on a step, so that stones sliding tangentially past one another
// always make progress.
constexpr double kMinStep = 1e-7;
// Safety nets far above what any real shot needs (a few hundred steps, a few
// rounds of contacts at once).
constexpr int kMaxSteps = 20000;
constexpr int kMaxContactRounds = 100;
constexpr int kMaxStones = 16;
// Beyond the distance at which a pair counts as touching, with room for the
// rounding between a path's cover and the positions worked out on it.
constexpr double kClearOfContact = kContactDistance + kContactGap + 1e-7;

// How long stone a can certainly move before it could touch a line of the
// sheet, given that its acceleration is at most maxAccel in any direction.
double LineSafeTime(double gap, double closingSpeed, double reach, double maxAccel) {
  if (reach <= gap) return kInfinity;
  const double w = -closingSpeed;
  return (w + std::sqrt(w * w + 2 * maxAccel * gap)) / maxAccel;
}

double BoundarySafeTime(const Stone& s, double maxAccel) {
  const double reach = StoppingDistance(s.speed);
  const Vec2 p = s.position;
  const Vec2 v = s.velocity;
  double t = LineSafeTime(p.x - kStoneRadius - kSideLineLeft, -v.x, reach, maxAccel);
  t = std::min(t, LineSafeTime(kSideLineRight - kStoneRadius - p.x, v.x, reach, maxAccel));
  t = std::min(t, LineSafeTime(p.y - (kBackLineY - kStoneRadius), -v.y, reach, maxAccel));
  t = std::min(t, LineSafeTime(kNearBackLineY + kStoneRadius - p.y, v.y, reach, maxAccel));
  return t;
}

bool LeftPlay(const Stone& s) {
  const Vec2 p = s.position;
  return p.x - kStoneRadius <= kSideLineLeft || p.x + kStoneRadius >= kSideLineRight ||
         p.y + kStoneRadius < kBackLineY || p.y - kStoneRadius > kNearBackLineY;
}

// How long two stones can certainly move before they could touch; 0 when they
// are in contact and closing. The relative position drifts from its linear
// extrapolation by at most accel·t²/2, which gives two safe bounds: one along
// the line of centres, one along the relative path with a margin.
double PairSafeTime(const Stone& a, const Stone& b, double maxAccel, bool* contact) {
  *contact = false;
  const Vec2 r = a.position - b.position;
  const double dist = Norm(r);
  const Vec2 u = a.velocity - b.velocity;
  const double closing = Dot(r, u);
  double gap = dist - kContactDistance;
  if (gap < -kMaxOverlap) {
    // Overlapping stones do not interact until they come apart far enough
    // to touch, which takes at least this long.
    const double speeds = a.speed + b.speed;
    return speeds > 0 ? (-kMaxOverlap - gap) / speeds : kInfinity;
  }
  if (gap < kContactGap) {
    if (closing < 0) {
      *contact = true;
      return 0.0;
    }
    gap = std::max(gap, 0.0);
  }
  if (StoppingDistance(a.speed) + StoppingDistance(b.speed) <= gap) return kInfinity;
  const double accel = (IsMoving(a) ? maxAccel : 0.0) + (IsMoving(b) ? maxAccel : 0.0);
  const double w = closing / dist;
  const double alongNormal = (w + std::sqrt(w * w + 2 * accel * gap)) / accel;

  // Along the relative path: aim short of contact by a margin that the drift
  // may eat up. A small margin converges on a contact; a large one strides
  // past a stone that the path misses. Take the better of a few.
  double best = alongNormal;
  for (const double share : kMarginShares) {
    const double margin = share * gap;
    const double byDrift = std::sqrt(2 * margin / accel);
    if (byDrift <= best) continue;
    double byPath = kInfinity;
    if (closing < 0) {
      const double c = (gap - margin) * (dist + kContactDistance + margin);
      const double disc = closing * closing - Norm2(u) * c;
      if (disc >= 0) byPath = c / (-closing + std::sqrt(disc));
    }
    best = std::max(best, std::min(byPath, byDrift));
  }
  return best;
}

// Safe times, absolute: until then the pair (or the stone and the lines)
// certainly cannot touch. Kept symmetric.
struct Schedule {
  double pairSafe[kMaxStones][kMaxStones];
  double lineSafe[kMaxStones];
  // Bit j of entry i: the pair's safe time is finite. A pair ruled out for
  // good comes due again only when a contact marks it due, so a scan of the
  // pair times passes over it.
  uint32_t finite[kMaxStones];
  // For mover i and resting stone j, the piece of i's cover on which it
  // could first come within contact distance of j, as last found; -1 when
  // not known. Marking either stone due forgets it.
  int8_t nearPiece[kMaxStones][kMaxStones];
};

void SetPairSafe(Schedule& schedule, int i, int j, double time) {
  schedule.pairSafe[i][j] = schedule.pairSafe[j][i] = time;
  if (time == kInfinity) {
    schedule.finite[i] &= ~(1U << j);
    schedule.finite[j] &= ~(1U << i);
  }
}

void MarkDue(Schedule& schedule, int stone, int count, double now) {
  for (int j = 0; j < count; ++j) {
    schedule.pairSafe[stone][j] = schedule.pairSafe[j][stone] = now;
    schedule.finite[j] |= 1U << stone;
    schedule.nearPiece[stone][j] = schedule.nearPiece[j][stone] = -1;
  }
  schedule.finite[stone] = ~0U;
  schedule.lineSafe[stone] = now;
}

void Restart(Stone& s, double now) {
  // A stone at rest has no rotation, so a struck stone runs straight; a moving
  // one keeps its own.
  const Curl curl = IsMoving(s) ? s.motion.curl : Curl::kNone;
  s.motion = StartMotion(s.position, s.velocity, curl, now);
  s.speed = Norm(s.velocity);
  s.state = s.speed > 0 ? StoneState::kMoving : StoneState::kResting;
  if (!IsMoving(s)) s.velocity = {0.0, 0.0};
}

// Brings a moving stone that has not yet stopped to `now`.
void Bring(Stone& s, double now) {
  const Kinematics k = KinematicsAt(s.motion, now);
  s.position = k.position;
  s.velocity = k.velocity;
  s.speed = k.speed;
}

void ComeToRest(Stone& s) {
  s.position = RestPosition(s.motion);
  s.velocity = {0.0, 0.0};
  s.speed = 0.0;
  s.state = StoneState::kResting;
}

// Everything one sweep keeps between its stages: the stones, the clock, the
// schedule of safe times and what is known about each stone. The stages below
// run in turn, once a step, each on the whole record.
struct Sweep {
  // stopTime and rowNext are left unset: each entry is written before it is
  // read.
  Sweep(Stone* stonesToMove, int stoneCount, int shooterIndex, SweepTrace* watcher,
        Schedule& pairSchedule, PathCover* pathCovers)
      : stones(stonesToMove),
        count(std::min(stoneCount, kMaxStones)),
        shooter(shooterIndex),
        trace(watcher),
        maxAccel(MaxAcceleration()),
        schedule(pairSchedule),
        covers(pathCovers) {}

  Stone* stones;
  int count;
  int shooter;
  SweepTrace* trace;  // null when nobody watches
  double maxAccel;
  double now = 0.0;
  SweepResult result{};
  // Rounds of contacts resolved at the current instant.
  int contactRounds = 0;
  // The schedule and the covers lie outside the record, so that the compiler
  // keeps its fields in registers: with the covers inside, handing one to
  // the path cover's functions made it reload every field after each call,
  // and with the schedule inside, writing its bytes did (2.5 % and 1 % more
  // instructions in the sweep).
  Schedule& schedule;
  // The cover and stop time of each moving stone's motion; covers[i] for
  // stone i.
  PathCover* covers;
  double stopTime[kMaxStones];
  // The earliest pair time of each moving stone's row, valid for the rows in
  // knownRows while the stones in play are knownInPlay.
  double rowNext[kMaxStones];
  uint32_t knownRows = 0;
  uint32_t knownInPlay = 0;
  // The stones in play and the moving ones, bit j for stone j, kept up to date
  // as stones change.
  uint32_t inPlay = 0;
  uint32_t moving = 0;
  // A moving stone is brought to `now` only when something asks where it is:
  // its motion gives the same values whenever that is done. Bit j: stone j is
  // where it is at `now`.
  uint32_t current = 0;
};

// What renewing the safe times found: whether some pair is in contact and
// closing, and the next moment anything could happen.
struct Outlook {
  bool inContact;
  double next;
};

void Follow(Sweep& sweep, int i) {
  CoverPath(sweep.stones[i].motion, sweep.covers[i]);
  sweep.stopTime[i] = StopTime(sweep.stones[i].motion);
}

void BringToNow(Sweep& sweep, int i) {
  if ((sweep.current & (1U << i)) != 0) return;
  Bring(sweep.stones[i], sweep.now);
  sweep.current |= 1U << i;
}

void BringAllToNow(Sweep& sweep) {
  for (uint32_t left = sweep.moving & ~sweep.current; left != 0; left &= left - 1)
    Bring(sweep.stones[std::countr_zero(left)], sweep.now);
  sweep.current |= sweep.moving;
}

// Sets the sweep up for the stones as they are given.
void StartSweep(Sweep& sweep) {
  // Everything due at the start. Only moving stones' rows are read, and a
  // stone set moving by a contact has its row and column marked due then.
  Schedule& schedule = sweep.schedule;
  std::fill(std::begin(schedule.lineSafe), std::end(schedule.lineSafe), sweep.now);
  std::fill(std::begin(schedule.finite), std::end(schedule.finite), ~0U);
  for (int i = 0; i < sweep.count; ++i) {
    const Stone& s = sweep.stones[i];
    if (InPlay(s)) sweep.inPlay |= 1U << i;
    if (!IsMoving(s)) continue;
    sweep.moving |= 1U << i;
    std::fill_n(schedule.pairSafe[i], sweep.count, sweep.now);
    std::fill_n(schedule.nearPiece[i], sweep.count, int8_t{-1});
    Follow(sweep, i);
    if (sweep.trace != nullptr) sweep.trace->stones[i].motions.push_back(s.motion);
  }
  sweep.current = sweep.moving;
}

// Stage 1. A stone that has left play takes no further part. Until its line
// time it cannot have touched a line, and is not looked at.
void RemoveStonesOutOfPlay(Sweep& sweep) {
  for (uint32_t left = sweep.moving; left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    if (sweep.schedule.lineSafe[i] > sweep.now) continue;
    BringToNow(sweep, i);
    if (!LeftPlay(sweep.stones[i])) continue;
    sweep.stones[i].state = StoneState::kOut;
    sweep.moving &= ~(1U << i);
    sweep.inPlay &= ~(1U << i);
    if (sweep.trace != nullptr) {
      sweep.trace->stones[i].endTime = sweep.now;
      sweep.trace->stones[i].leftPlay = true;
    }
  }
}

// The safe time of mover i against stone j, due now, renewed; true when the
// two are in contact and closing.
bool RenewPairSafeTime(Sweep& sweep, int i, int j) {
  const double now = sweep.now;
  const PathCover& cover = sweep.covers[i];
  const bool resting = !IsMoving(sweep.stones[j]);
  // A piece found near a resting stone is still the first one while it runs:
  // the pieces before it were ruled out for the same path and the same stone.
  int8_t& near = sweep.schedule.nearPiece[i][j];
  const bool nearKnown = resting && near >= 0 && near < cover.pieces && cover.endTime[near] > now;
  // A resting stone that the mover's path never comes near, not even within
  // the distance that counts as a contact, is never reached: the bound below
  // would end at infinity too, after its square roots.
  if (resting && !nearKnown &&
      FirstPieceNear(cover, now, sweep.stones[j].position, kClearOfContact) == cover.pieces) {
    SetPairSafe(sweep.schedule, i, j, kInfinity);
    return false;
  }
  BringToNow(sweep, i);
  if (!resting) BringToNow(sweep, j);
  bool contact = false;
  double t = now + PairSafeTime(sweep.stones[i], sweep.stones[j], sweep.maxAccel, &contact);
  // Against a resting stone the mover's known path rules out more.
  if (!contact && resting) {
    if (!nearKnown) {
      near = static_cast<int8_t>(
          FirstPieceNear(cover, now, sweep.stones[j].position, kContactDistance));
    }
    t = std::max(t, PieceTime(cover, near, now));
  }
  SetPairSafe(sweep.schedule, i, j, contact ? now : t);
  return contact;
}

// Stage 2. Renew the safe times that have run out, or find the pairs in
// contact. A moving stone's row of pair times is scanned only when its
// earliest entry is due: an entry changes only when due, and a due entry in a
// row makes that row's earliest due too. Restarts and stones leaving play
// change rows from outside, and make every row be scanned again.
Outlook RenewSafeTimes(Sweep& sweep) {
  const double now = sweep.now;
  Schedule& schedule = sweep.schedule;
  if (sweep.inPlay != sweep.knownInPlay) sweep.knownRows = 0;
  sweep.knownInPlay = sweep.inPlay;
  Outlook outlook{false, kInfinity};
  for (uint32_t left = sweep.moving; left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    // The path's cover rules out the lines for most of a delivery, where the
    // bound from the stone's reach alone would stop it every few seconds.
    if (schedule.lineSafe[i] <= now)
      schedule.lineSafe[i] = std::max(now + BoundarySafeTime(sweep.stones[i], sweep.maxAccel),
                                      FirstTimeAtLine(sweep.covers[i], now));
    outlook.next = std::min(outlook.next, schedule.lineSafe[i]);
    if ((sweep.knownRows & (1U << i)) != 0 && sweep.rowNext[i] > now) {
      outlook.next = std::min(outlook.next, sweep.rowNext[i]);
      continue;
    }
    double rowMin = kInfinity;
    for (uint32_t others = sweep.inPlay & schedule.finite[i] & ~(1U << i); others != 0;
         others &= others - 1) {
      const int j = std::countr_zero(others);
      const double& safe = schedule.pairSafe[i][j];
      if (safe <= now && RenewPairSafeTime(sweep, i, j)) outlook.inContact = true;
      rowMin = std::min(rowMin, safe);
    }
    sweep.rowNext[i] = rowMin;
    sweep.knownRows |= 1U << i;
    outlook.next = std::min(outlook.next, rowMin);
  }
  return outlook;
}

// Past the step cap every stone still moving stops where it is.
void StopAtStepCap(Sweep& sweep) {
  BringAllToNow(sweep);
  for (uint32_t left = sweep.moving; left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    Stone& s = sweep.stones[i];
    s.velocity = {0.0, 0.0};
    s.speed = 0.0;
    s.state = StoneState::kResting;
    if (sweep.trace != nullptr) sweep.trace->stones[i].endTime = sweep.now;
  }
}

// Stage 3. The touching stones exchange impulses, and every stone whose
// velocity changed starts a new motion, with its safe times due at once.
void ResolveContactRound(Sweep& sweep) {
  BringAllToNow(sweep);
  bool changed[kMaxStones] = {};
  const ContactResult contacts = ResolveContacts(sweep.stones, sweep.count, sweep.shooter, changed);
  sweep.result.contacts += contacts.impulses;
  sweep.result.shooterTouchedStone = sweep.result.shooterTouchedStone || contacts.shooterTouched;
  for (int i = 0; i < sweep.count; ++i) {
    if (!changed[i]) continue;
    Stone& s = sweep.stones[i];
    Restart(s, sweep.now);
    if (sweep.trace != nullptr) sweep.trace->stones[i].motions.push_back(s.motion);
    MarkDue(sweep.schedule, i, sweep.count, sweep.now);
    sweep.knownRows = 0;
    if (IsMoving(s)) {
      Follow(sweep, i);
      sweep.moving |= 1U << i;
    } else {
      sweep.moving &= ~(1U << i);
    }
  }
  sweep.current = sweep.moving;
}

// Stage 4. Advance to the next moment anything could happen; with nothing
// ahead, every moving stone runs to rest.
void AdvanceTime(Sweep& sweep, double next) {
  sweep.now = std::max(next, sweep.now + kMinStep);
  sweep.current = 0;
  for (uint32_t left = sweep.moving; left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    Stone& s = sweep.stones[i];
    if (sweep.now < sweep.stopTime[i]) continue;
    ComeToRest(s);
    sweep.moving &= ~(1U << i);
    if (LeftPlay(s)) {
      s.state = StoneState::kOut;
      sweep.inPlay &= ~(1U << i);
      if (sweep.trace != nullptr) sweep.trace->stones[i].leftPlay = true;
    }
  }
}

}  // namespace

SweepResult RunToRest(Stone* stones, int count, int shooter, SweepTrace* trace) {
  Schedule schedule;
  PathCover covers[kMaxStones];
  Sweep sweep(stones, count, shooter, trace, schedule, covers);
  StartSweep(sweep);
  for (;;) {
    RemoveStonesOutOfPlay(sweep);
    if (sweep.moving == 0) break;
    const Outlook outlook = RenewSafeTimes(sweep);
    // Every round counts against the cap, contact rounds too; past a number
    // of rounds at one instant the pairs still closing are left to the next
    // step.
    if (++sweep.result.steps > kMaxSteps) {
      StopAtStepCap(sweep);
      break;
    }
    if (outlook.inContact && ++sweep.contactRounds <= kMaxContactRounds) {
      ResolveContactRound(sweep);
      continue;
    }
    sweep.contactRounds = 0;
    AdvanceTime(sweep, outlook.next);
  }
  return sweep.result;
}

}  // namespace sim
