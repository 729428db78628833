// What one game is played with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PlayerSpec {
  std::string name;
  std::string command;             // as the user gave it
  std::vector<std::string> words;  // the program and its arguments
};

struct GameSettings {
  PlayerSpec players[2];
  int gameNumber = 1;  // counted from 1
  int ends = 8;        // regular ends; extra ends follow a tie, up to ten ends in all
  float noise = 0.3f;
  int64_t moveTimeMs = 10000;
  int64_t gameTimeMs = 0;  // total per player per game; 0 means no total limit
  int hammerPlayer = 1;    // the player (0 or 1) with the hammer in the first end
  uint64_t seed = 0;
  std::string outputDirectory;  // record, pictures and engine error logs
  // The match the game belongs to, for the record's header: its id, seed and
  // games, whether games are paired, and this game's pair (0: unpaired).
  std::string matchId;
  uint64_t matchSeed = 0;
  int matchGames = 1;
  bool paired = false;
  int pair = 0;
};
