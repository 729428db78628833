// The referee's authoritative game: the position, who delivers, executing a
// shot with the simulator, scoring ends, the hammer and when the game is over.
// No processes here, so that the live referee and the replay share it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/game/game_settings.h"
#include "simulator/curling_api.h"

namespace match::game {

// The record holds ten end scores, so a game has at most ten ends, extra
// ends included.
inline constexpr int kMaxEnds = 10;

// The line score of a game: what the scoreboard, the summary and the record
// show of it. Players are 0 and 1 (the first and second engine of the command
// line).
struct LineScore {
  int regularEnds = kDefaultEnds;
  int sideAPlayer = 0;  // delivers the first stone of end 0 ("side A"); the other is side B
  int points[2] = {0, 0};
  int endsPlayed = 0;
  int endPoints[kMaxEnds][2] = {};  // points of each player in each finished end
  int endFirst[kMaxEnds] = {};      // who delivered first in each end
};

struct GameFlow {
  GameState state{};
  LineScore score;
  int firstInEnd = 0;  // delivers the first stone of the current end
  uint64_t seed = 0;
};

enum class GameStatus { kContinue, kDecided, kDrawn };

// A new game: `hammerPlayer` delivers last in the first end, so the other
// player is side A.
void StartGame(GameFlow& flow, int regularEnds, int hammerPlayer, uint64_t seed);

// The player who delivers the next stone.
int PlayerToDeliver(const GameFlow& flow);

// The turnFlag of the next delivery: 0 when side A delivers it, 1 otherwise.
uint8_t TurnFlagToDeliver(const GameFlow& flow);

// 'A' for side A's player, 'B' for the other.
char SideLetter(const LineScore& score, int player);

// The lastEnd sent to engines: the last regular end, or the extra end being
// played.
int LastEndIndex(const GameFlow& flow);

// "POSITION x0 y0 ... x15 y15" with stones not in play at 0 0, and
// "SETSTATE shotNumber currentEnd lastEnd turnFlag" for the next delivery
// (turnFlag 0 when side A delivers it).
std::string PositionCommand(const GameFlow& flow);
std::string SetStateCommand(const GameFlow& flow);

// The seed of the execution error of one delivery: each delivery draws from
// a generator seeded for it alone.
uint64_t DeliverySeed(uint64_t gameSeed, int end, int shot);

struct DeliveryResult {
  double executedVx = 0.0;  // the release after execution error
  double executedVy = 0.0;
  GameState after{};  // the position it left; after the last stone of an
                      // end, the end's final position (shotNumber 16)
  bool endClosed = false;
  int endScoreA = 0;  // score of the closed end, positive when side A scored
};

// How the stones moved during a delivery, as SimulationWithPaths samples it.
struct DeliveryMotion {
  std::vector<PathSample> samples;
  DeliveryPaths paths{};
};

// Simulates `shot` for the player to deliver, with execution error of scale
// `noise`, on the game's position; with `motion`, also samples the stones'
// paths every `timeStep` seconds, the delivery itself unchanged.
DeliveryResult SimulateShot(GameFlow& flow, const ShotVec& shot, float noise,
                            DeliveryMotion* motion = nullptr, float timeStep = 0.25f);

// Books a closed end: the points, who delivers first next (the side that
// scored; after a blank end the same side again), and whether the game goes
// on: a tie after the regular ends goes to an extra end, still tied after the
// tenth end is a draw.
GameStatus FinishEnd(GameFlow& flow, int endScoreA);

// The player with more points, or -1 on a tie.
int Leader(const LineScore& score);

}  // namespace match::game
