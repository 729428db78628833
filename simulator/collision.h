// Contacts between stones: equal masses, no friction between the granite
// faces, slightly inelastic.
#pragma once

#include "simulator/stone.h"

namespace sim {

// Restitution of granite on granite.
inline constexpr double kRestitution = 0.95;

// Two stones closer than this, edge to edge, are in contact.
inline constexpr double kContactGap = 1e-8;

struct ContactResult {
  int impulses;         // impulses applied
  bool shooterTouched;  // the stone at index `shooter` took part in one
};

// Applies impulses along the line of centres to every touching pair that is
// closing, again and again until none closes, so that momentum runs along a
// chain of touching stones within one call. Sets changed[i] for every stone
// whose velocity changed.
ContactResult ResolveContacts(Stone* stones, int count, int shooter, bool* changed);

}  // namespace sim
