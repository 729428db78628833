// What makes two self-play runs the same run, the plan of its games, and the
// players of each game.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/player.h"
#include "match/records/match_plan.h"
#include "selfplay/player_choice.h"
#include "selfplay/self_play_game.h"

namespace selfplay {

// The most games one run plays.
inline constexpr int kMostGames = 10000000;

struct RunSettings {
  PlayerChoice players[2];
  int games = 1;
  int ends = match::game::kDefaultEnds;
  float noise = match::game::kDefaultNoise;
  float explore = 0.0f;  // a float, as the header writes it
  uint64_t seed = 0;
  int shard = 1;  // share `shard` of `shards`, from 1
  int shards = 1;
};

// The games are planned as the runner plans a paired match: pair k is games
// 2k - 1 and 2k on one seed, the first end's hammer swapped.
match::records::MatchIdentity RunIdentity(const RunSettings& settings);

// The settings as the data file's header carries them: "key=value" lines,
// the players written with every default explicit.
std::string SettingsText(const RunSettings& settings);

// The setup of game `number` (from 1).
GameSetup SetupOf(const RunSettings& settings, int number);

// The game numbers (from 1) of the run's shard, in order.
std::vector<int> RunGames(const RunSettings& settings);

// The two players of a game on `gameSeed`, each seeded apart from it.
struct GamePlayers {
  std::unique_ptr<engine::Player> players[2];
};
GamePlayers MakeGamePlayers(const RunSettings& settings, uint64_t gameSeed);

}  // namespace selfplay
