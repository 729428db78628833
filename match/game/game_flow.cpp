#include "match/game/game_flow.h"

#include "match/engines/number_text.h"

namespace match::game {

namespace {

uint64_t SplitMix64(uint64_t value) {
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
  return value ^ (value >> 31);
}

void AppendFloat(std::string& text, float value) {
  text += ' ';
  text += engines::ShortestFloat(value);
}

}  // namespace

void StartGame(GameFlow& flow, int regularEnds, int hammerPlayer, uint64_t seed) {
  flow = GameFlow{};
  flow.score.regularEnds = regularEnds;
  flow.score.sideAPlayer = 1 - hammerPlayer;
  flow.firstInEnd = flow.score.sideAPlayer;
  flow.seed = seed;
  flow.state.lastEnd = LastEndIndex(flow);
}

int PlayerToDeliver(const GameFlow& flow) {
  return flow.state.shotNumber % 2 == 0 ? flow.firstInEnd : 1 - flow.firstInEnd;
}

uint8_t TurnFlagToDeliver(const GameFlow& flow) {
  return PlayerToDeliver(flow) == flow.score.sideAPlayer ? 0 : 1;
}

char SideLetter(const LineScore& score, int player) {
  return player == score.sideAPlayer ? 'A' : 'B';
}

int LastEndIndex(const GameFlow& flow) {
  const int regularLast = flow.score.regularEnds - 1;
  return flow.state.currentEnd > regularLast ? flow.state.currentEnd : regularLast;
}

std::string PositionCommand(const GameFlow& flow) {
  std::string text = "POSITION";
  for (int i = 0; i < 16; ++i) {
    const StonePos stone = i < flow.state.shotNumber ? flow.state.stones[i] : StonePos{0, 0};
    AppendFloat(text, stone.x);
    AppendFloat(text, stone.y);
  }
  return text;
}

std::string SetStateCommand(const GameFlow& flow) {
  return "SETSTATE " + std::to_string(flow.state.shotNumber) + " " +
         std::to_string(flow.state.currentEnd) + " " + std::to_string(LastEndIndex(flow)) + " " +
         std::to_string(TurnFlagToDeliver(flow));
}

uint64_t DeliverySeed(uint64_t gameSeed, int end, int shot) {
  return SplitMix64(gameSeed ^
                    SplitMix64(static_cast<uint64_t>(end) * 16 + static_cast<uint64_t>(shot)));
}

DeliveryResult SimulateShot(GameFlow& flow, const ShotVec& shot, float noise,
                            DeliveryMotion* motion, float timeStep) {
  GameState& state = flow.state;
  state.turnFlag = TurnFlagToDeliver(flow);
  state.lastEnd = LastEndIndex(flow);
  const int end = state.currentEnd;
  const int shotNumber = state.shotNumber;

  // Each delivery draws its error from a generator seeded for it alone.
  SeedSimulator(DeliverySeed(flow.seed, end, shotNumber));
  SimulationReport report{};
  if (motion == nullptr) {
    SimulationWithReport(&state, shot, noise, &report);
  } else {
    // A refused call changes nothing, so it is repeated with the size asked for.
    if (motion->samples.empty()) motion->samples.resize(1024);
    while (SimulationWithPaths(&state, shot, noise, &report, timeStep, motion->samples.data(),
                               static_cast<int32_t>(motion->samples.size()),
                               &motion->paths) == kSimPathBufferTooSmall) {
      motion->samples.resize(static_cast<size_t>(motion->paths.sampleCount));
    }
    motion->samples.resize(static_cast<size_t>(motion->paths.sampleCount));
  }
  DeliveryResult result;
  result.executedVx = report.executedVx;
  result.executedVy = report.executedVy;
  result.endClosed = state.shotNumber == 0;
  // After the last stone the library has already cleared the sheet for the
  // next end; the end's final position is the one the shot left.
  result.after = report.after;
  if (result.endClosed) result.endScoreA = GetScore(&result.after);
  return result;
}

GameStatus FinishEnd(GameFlow& flow, int endScoreA) {
  LineScore& score = flow.score;
  const int end = score.endsPlayed;
  const int sideB = 1 - score.sideAPlayer;
  score.endFirst[end] = flow.firstInEnd;
  if (endScoreA > 0) {
    score.endPoints[end][score.sideAPlayer] = endScoreA;
    score.points[score.sideAPlayer] += endScoreA;
    flow.firstInEnd = score.sideAPlayer;
  } else if (endScoreA < 0) {
    score.endPoints[end][sideB] = -endScoreA;
    score.points[sideB] += -endScoreA;
    flow.firstInEnd = sideB;
  }
  ++score.endsPlayed;
  if (score.endsPlayed < score.regularEnds) return GameStatus::kContinue;
  if (Leader(score) >= 0) return GameStatus::kDecided;
  return score.endsPlayed >= kMaxEnds ? GameStatus::kDrawn : GameStatus::kContinue;
}

int Leader(const LineScore& score) {
  if (score.points[0] == score.points[1]) return -1;
  return score.points[0] > score.points[1] ? 0 : 1;
}

}  // namespace match::game
