#include "match/reports/summary.h"

#include <cstdio>

#include "match/records/json_text.h"

namespace {

constexpr Fault kFaults[] = {Fault::kNoStart, Fault::kCrash, Fault::kTime, Fault::kIllegalReply};

void Count(Tally& tally, int result, int pointsFor, int pointsAgainst) {
  ++tally.games;
  if (result > 0) ++tally.wins;
  if (result == 0) ++tally.draws;
  if (result < 0) ++tally.losses;
  tally.pointsFor += pointsFor;
  tally.pointsAgainst += pointsAgainst;
}

const char* FaultKey(Fault fault) {
  switch (fault) {
    case Fault::kNoStart:
      return "noStart";
    case Fault::kCrash:
      return "crash";
    case Fault::kTime:
      return "time";
    case Fault::kIllegalReply:
      return "illegalReply";
    default:
      return "other";
  }
}

// Wins count one, draws half.
double ScoreRate(const Tally& tally) {
  return tally.games == 0 ? 0.0 : (tally.wins + 0.5 * tally.draws) / tally.games;
}

std::string TallyRow(const char* label, const Tally& tally) {
  char row[160];
  std::snprintf(row, sizeof row, "%-28s %5d %5d %5d %6d %6d %7d %6.3f\n", label, tally.games,
                tally.wins, tally.draws, tally.losses, tally.pointsFor, tally.pointsAgainst,
                ScoreRate(tally));
  return row;
}

std::string TallyJson(const Tally& tally) {
  char text[256];
  std::snprintf(text, sizeof text,
                "{\"games\":%d,\"wins\":%d,\"draws\":%d,\"losses\":%d,\"pointsFor\":%d,"
                "\"pointsAgainst\":%d,\"scoreRate\":%.4f}",
                tally.games, tally.wins, tally.draws, tally.losses, tally.pointsFor,
                tally.pointsAgainst, ScoreRate(tally));
  return text;
}

}  // namespace

MatchSummary Summarise(const std::vector<GameResult>& results, const std::string (&names)[2]) {
  MatchSummary summary;
  summary.players[0].name = names[0];
  summary.players[1].name = names[1];
  for (const GameResult& game : results) {
    if (game.fault == Fault::kInterrupted) {
      ++summary.unfinished;
      continue;
    }
    ++summary.games;
    for (int p = 0; p < 2; ++p) {
      PlayerSummary& player = summary.players[p];
      const bool lostByFault = game.faultPlayer == p || game.faultPlayer == kBothPlayers;
      const int result = lostByFault ? -1 : (game.winner == p ? 1 : (game.winner < 0 ? 0 : -1));
      const int pointsFor = game.score.points[p];
      const int pointsAgainst = game.score.points[1 - p];
      Count(player.all, result, pointsFor, pointsAgainst);
      Count(FirstHammerPlayer(game) == p ? player.withHammer : player.withoutHammer, result,
            pointsFor, pointsAgainst);
      if (lostByFault) ++player.faults[static_cast<int>(game.fault)];
    }
  }
  return summary;
}

std::string FormatSummaryText(const MatchSummary& summary) {
  std::string text =
      "Summary: " + std::to_string(summary.games) + " game" + (summary.games == 1 ? "" : "s");
  if (summary.unfinished > 0) text += " (" + std::to_string(summary.unfinished) + " interrupted)";
  text += "\n";
  char header[160];
  std::snprintf(header, sizeof header, "%-28s %5s %5s %5s %6s %6s %7s %6s\n", "player", "games",
                "wins", "draws", "losses", "for", "against", "score");
  text += header;
  for (int p = 0; p < 2; ++p) {
    const PlayerSummary& player = summary.players[p];
    text += TallyRow((std::to_string(p + 1) + " " + player.name).substr(0, 28).c_str(), player.all);
    text += TallyRow("  hammer in end 1", player.withHammer);
    text += TallyRow("  first stone (side A)", player.withoutHammer);
    std::string faults;
    for (const Fault fault : kFaults) {
      const int count = player.faults[static_cast<int>(fault)];
      if (count > 0)
        faults += std::string(faults.empty() ? "" : ", ") + FaultName(fault) + " " +
                  std::to_string(count);
    }
    if (!faults.empty()) text += "  lost by fault: " + faults + "\n";
  }
  return text;
}

std::string FormatSummaryJson(const MatchSummary& summary) {
  std::string json = "{\"games\":" + std::to_string(summary.games) +
                     ",\"interrupted\":" + std::to_string(summary.unfinished) + ",\"players\":[";
  for (int p = 0; p < 2; ++p) {
    const PlayerSummary& player = summary.players[p];
    if (p > 0) json += ',';
    json += "{\"player\":" + std::to_string(p + 1) + ",\"name\":" + JsonString(player.name) +
            ",\"all\":" + TallyJson(player.all) +
            ",\"withHammer\":" + TallyJson(player.withHammer) +
            ",\"withoutHammer\":" + TallyJson(player.withoutHammer) + ",\"faults\":{";
    bool firstFault = true;
    for (const Fault fault : kFaults) {
      if (!firstFault) json += ',';
      firstFault = false;
      json += JsonString(FaultKey(fault)) + ':' +
              std::to_string(player.faults[static_cast<int>(fault)]);
    }
    json += "}}";
  }
  json += "]}\n";
  return json;
}
