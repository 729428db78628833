#include "search/strong/game_value.h"

#include <algorithm>
#include <cstdlib>

#include "engine/library_binding.h"

namespace search::strong {

namespace {

// Leads beyond this are settled whatever happens in the ends left.
constexpr int kMaxLead = 40;
constexpr int kLeadCount = 2 * kMaxLead + 1;
constexpr int kEndCount = kFinalEndIndex + 2;

struct WinTable {
  double chance[kEndCount][kLeadCount][2];
};

// chance[e][lead][hammer]: end e about to start, e from 0 to kFinalEndIndex + 1.
void FillWinTable(int lastEnd, const EndScoreFrequencies& frequencies, WinTable& table) {
  for (int e = kEndCount - 1; e >= 0; --e) {
    for (int l = 0; l < kLeadCount; ++l) {
      const int lead = l - kMaxLead;
      for (int h = 0; h < 2; ++h) {
        double& chance = table.chance[e][l][h];
        if (e > lastEnd && lead != 0) {
          chance = lead > 0 ? 1.0 : 0.0;
          continue;
        }
        // Tied with no end left to play: a draw.
        if (e > kFinalEndIndex) {
          chance = lead > 0 ? 1.0 : (lead < 0 ? 0.0 : 0.5);
          continue;
        }
        chance = 0.0;
        for (int i = 0; i < kEndScoreCount; ++i) {
          const int hammerScore = i - kMaxEndScore;
          const int score = h == 1 ? hammerScore : -hammerScore;
          // The side that scores gives up the hammer; a blank end keeps it.
          const int nextHammer = score > 0 ? 0 : (score < 0 ? 1 : h);
          const int nextLead = std::clamp(lead + score, -kMaxLead, kMaxLead);
          chance += frequencies[i] * table.chance[e + 1][nextLead + kMaxLead][nextHammer];
        }
      }
    }
  }
}

}  // namespace

const EndScoreFrequencies& MeasuredEndScoreFrequencies() {
  // Scores of the side with the hammer, -8 to +8: 487 ends of self-play of
  // the greedy opponent at noise 0.3, rounded, with a share of blank ends
  // taken from its single points, since a player that values the hammer
  // blanks ends that the greedy one never does (docs/strength.md).
  static const EndScoreFrequencies kFrequencies = [] {
    EndScoreFrequencies f{};
    f[kMaxEndScore - 3] = 0.01;
    f[kMaxEndScore - 2] = 0.07;
    f[kMaxEndScore - 1] = 0.20;
    f[kMaxEndScore + 0] = 0.06;
    f[kMaxEndScore + 1] = 0.33;
    f[kMaxEndScore + 2] = 0.18;
    f[kMaxEndScore + 3] = 0.09;
    f[kMaxEndScore + 4] = 0.04;
    f[kMaxEndScore + 5] = 0.02;
    return f;
  }();
  return kFrequencies;
}

double WinChance(int nextEnd, int lastEnd, int lead, bool hammer,
                 const EndScoreFrequencies& frequencies) {
  WinTable table;
  FillWinTable(std::clamp(lastEnd, 0, kFinalEndIndex), frequencies, table);
  const int e = std::clamp(nextEnd, 0, kEndCount - 1);
  return table.chance[e][std::clamp(lead, -kMaxLead, kMaxLead) + kMaxLead][hammer ? 1 : 0];
}

EndValues EndValuesFor(const GameSituation& situation, const EndScoreFrequencies& frequencies) {
  EndValues values{};
  // Outside the ends a game can have there is no game to value: the end's
  // score alone, scaled into the same range.
  if (situation.currentEnd < 0 || situation.currentEnd > kFinalEndIndex) {
    for (int i = 0; i < kEndScoreCount; ++i) {
      values[i] = 0.5 + static_cast<double>(i - kMaxEndScore) / (2.0 * kMaxEndScore);
    }
    return values;
  }
  // A server that names a last end already behind us plays this one as the last.
  const int lastEnd = std::clamp(situation.lastEnd, situation.currentEnd, kFinalEndIndex);
  WinTable table;
  FillWinTable(lastEnd, frequencies, table);
  for (int i = 0; i < kEndScoreCount; ++i) {
    const int score = i - kMaxEndScore;
    const bool nextHammer = score < 0 || (score == 0 && situation.hammer);
    const int lead = std::clamp(situation.lead + score, -kMaxLead, kMaxLead);
    values[i] = table.chance[situation.currentEnd + 1][lead + kMaxLead][nextHammer ? 1 : 0];
  }
  return values;
}

int InferLead(ScoreMemory& memory, const GameState& position, bool playerIsSideA) {
  const int end = position.currentEnd;
  const bool hammer = (position.shotNumber & 1) != 0;
  const bool newGame = memory.end < 0 || end < memory.end ||
                       (end == memory.end && position.shotNumber < memory.shotNumber);
  if (newGame) {
    memory.lead = 0;
  } else if (end > memory.end) {
    // The size from the last position seen, the sign from the hammer.
    const int sign = playerIsSideA ? 1 : -1;
    const int seen = getScore != nullptr ? sign * getScore(&memory.lastSeen) : 0;
    int score = 0;
    if (end == memory.end + 1) {
      if (memory.hammer && !hammer) score = std::max(1, seen);
      if (!memory.hammer && hammer) score = std::min(-1, seen);
      if (memory.hammer && hammer) score = std::min(0, seen);
      if (!memory.hammer && !hammer) score = std::max(0, seen);
    }
    memory.lead += score;
  }
  memory.end = end;
  memory.shotNumber = position.shotNumber;
  memory.hammer = hammer;
  memory.lastSeen = position;
  return memory.lead;
}

}  // namespace search::strong
