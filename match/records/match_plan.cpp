#include "match/records/match_plan.h"

#include <cstdio>

#include "match/engines/number_text.h"

namespace match::records {

namespace {

// FNV-1a: stable across machines and builds, which std::hash is not.
uint64_t Fnv1a(const std::string& text) {
  uint64_t hash = 0xCBF29CE484222325ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ULL;
  }
  return hash;
}

}  // namespace

std::string MatchId(const MatchIdentity& identity) {
  const std::string text =
      identity.names[0] + "\n" + identity.names[1] + "\n" + std::to_string(identity.ends) + "\n" +
      engines::ShortestFloat(identity.noise) + "\n" + std::to_string(identity.moveTimeMs) + "\n" +
      std::to_string(identity.gameTimeMs) + "\n" + std::to_string(identity.firstHammer) + "\n" +
      std::to_string(identity.seed) + "\n" + std::to_string(identity.games) + "\n" +
      (identity.paired ? "paired" : "single");
  char id[17];
  std::snprintf(id, sizeof id, "%016llx", static_cast<unsigned long long>(Fnv1a(text)));
  return id;
}

PlannedGame PlanGame(const MatchIdentity& identity, int number) {
  PlannedGame game;
  game.number = number;
  const int index = number - 1;
  // Sides swap from game to game, so the two games of a pair see them both ways.
  game.hammerPlayer = (identity.firstHammer + index) % 2;
  if (!identity.paired) {
    game.seed = identity.seed + static_cast<uint64_t>(index);
    return game;
  }
  const int pair = index / 2 + 1;
  const bool hasPartner = index % 2 == 1 || number < identity.games;
  game.pair = hasPartner ? pair : 0;
  game.seed = identity.seed + static_cast<uint64_t>(pair - 1);
  return game;
}

std::vector<int> ShardGames(const MatchIdentity& identity, int shard, int shards) {
  const int unit = identity.paired ? 2 : 1;
  std::vector<int> numbers;
  for (int first = 1 + (shard - 1) * unit; first <= identity.games; first += shards * unit) {
    for (int number = first; number < first + unit && number <= identity.games; ++number) {
      numbers.push_back(number);
    }
  }
  return numbers;
}

}  // namespace match::records
