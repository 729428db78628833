// Contacts between stones: equal masses, no friction between the granite
// faces, slightly inelastic.
#pragma once

#include "simulator/sheet.h"
#include "simulator/stone.h"

namespace sim {

// Restitution of granite on granite.
inline constexpr double kRestitution = 0.95;

// Two stones closer than this, edge to edge, are in contact.
inline constexpr double kContactGap = 1e-8;

// Stones that overlap by more than this were put there so: the sweep never
// lets a contact sink in this deep. They pass through one another instead of
// pushing apart, which a cluster of stones on one spot could do endlessly.
inline constexpr double kMaxOverlap = 1e-4;

// Whether two stones whose centres are `dist` apart touch.
inline bool Touching(double dist) {
  const double gap = dist - kContactDistance;
  return gap < kContactGap && gap >= -kMaxOverlap;
}

struct ContactResult {
  int impulses;         // impulses applied
  bool shooterTouched;  // the stone at index `shooter` took part in one
};

// Stones a contact resolution takes into account, the first of those handed in.
inline constexpr int kMaxContactStones = 16;

// Applies impulses along the line of centres to every touching pair that is
// closing, again and again until none closes, so that momentum runs along a
// chain of touching stones within one call. Sets changed[i] for every stone
// whose velocity changed. At most kMaxContactStones stones take part.
ContactResult ResolveContacts(Stone* stones, int count, int shooter, bool* changed);

}  // namespace sim
