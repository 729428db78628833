// What one game is played with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace match::game {

// What a game is played with unless the command line says otherwise, for the
// runner and self-play alike.
inline constexpr int kDefaultEnds = 8;
inline constexpr float kDefaultNoise = 0.3f;
inline constexpr int64_t kDefaultMoveTimeMs = 10000;
inline constexpr int kDefaultHammerPlayer = 1;  // player 2: player 1 delivers the first stone
// A match plays its games in pairs (games 2k-1 and 2k on one seed, the sides
// swapped) unless told not to.
inline constexpr bool kPairedByDefault = true;

// The execution error every program accepts, from none to this scale.
inline constexpr float kMaxNoise = 5.0f;

struct PlayerSpec {
  std::string name;
  std::string command;             // as the user gave it
  std::vector<std::string> words;  // the program and its arguments
};

struct GameSettings {
  PlayerSpec players[2];
  int gameNumber = 1;       // counted from 1
  int ends = kDefaultEnds;  // regular ends; extra ends follow a tie, up to ten ends in all
  float noise = kDefaultNoise;
  int64_t moveTimeMs = kDefaultMoveTimeMs;
  int64_t gameTimeMs = 0;                   // total per player per game; 0 means no total limit
  int hammerPlayer = kDefaultHammerPlayer;  // the player (0 or 1) with the hammer in the first end
  uint64_t seed = 0;
  std::string outputDirectory;  // record, pictures and engine error logs
  // The match the game belongs to, for the record's header: its id, seed and
  // games, whether games are paired, and this game's pair (0: unpaired).
  std::string matchId;
  uint64_t matchSeed = 0;
  int matchGames = 1;
  bool paired = kPairedByDefault;
  int pair = 0;
};

}  // namespace match::game
