// The reference search as a player: five bandit runs of random playouts, one
// after another, then the vote (EnsembleSearch).
#pragma once

#include <cstdint>

#include "engine/player.h"
#include "search/search_settings.h"

namespace search {

class ReferencePlayer final : public engine::Player {
 public:
  explicit ReferencePlayer(const ReferenceOptions& options = ReferenceOptions{})
      : options_(options) {}

  // Nothing carries over from one decision to the next, so the player keeps
  // Player's NewGame.

  ShotVec Decide(const GameState& state, uint64_t timeMs) override;

  // The settings of a decision within `timeMs`: ShippedSearchSettings() for
  // the shipped time and no seed.
  SearchSettings SettingsFor(uint64_t timeMs) const;

 private:
  ReferenceOptions options_;
};

}  // namespace search
