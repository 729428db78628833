#include "match/reports/summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "match/records/record_json.h"

namespace match::reports {

namespace {

constexpr engines::Fault kFaults[] = {engines::Fault::kNoStart, engines::Fault::kCrash,
                                      engines::Fault::kTime, engines::Fault::kIllegalReply};

void Count(Tally& tally, int result, int pointsFor, int pointsAgainst) {
  ++tally.games;
  if (result > 0) ++tally.wins;
  if (result == 0) ++tally.draws;
  if (result < 0) ++tally.losses;
  tally.pointsFor += pointsFor;
  tally.pointsAgainst += pointsAgainst;
}

const char* FaultKey(engines::Fault fault) {
  switch (fault) {
    case engines::Fault::kNoStart:
      return "noStart";
    case engines::Fault::kCrash:
      return "crash";
    case engines::Fault::kTime:
      return "time";
    case engines::Fault::kIllegalReply:
      return "illegalReply";
    default:
      return "other";
  }
}

// Wins count one, draws half.
double ScoreRate(const Tally& tally) {
  return tally.games == 0 ? 0.0 : (tally.wins + 0.5 * tally.draws) / tally.games;
}

double PerGame(int points, const Tally& tally) {
  return tally.games == 0 ? 0.0 : static_cast<double>(points) / tally.games;
}

// The first column is as wide as the longest player's label, so that a name
// is never cut: "strong:...:time=4750" cut at "time=47" would read as
// another player.
constexpr size_t kLabelWidth = 28;

std::string Padded(const std::string& label, size_t width) {
  return label + std::string(width - std::min(label.size(), width), ' ');
}

std::string TallyRow(const std::string& label, size_t width, const Tally& tally) {
  char numbers[160];
  std::snprintf(numbers, sizeof numbers, " %5d %5d %5d %6d %6d %7d %6.3f %6.2f %6.2f\n",
                tally.games, tally.wins, tally.draws, tally.losses, tally.pointsFor,
                tally.pointsAgainst, ScoreRate(tally), PerGame(tally.pointsFor, tally),
                PerGame(tally.pointsAgainst, tally));
  return Padded(label, width) + numbers;
}

std::string HeadToHeadText(const MatchSummary& summary) {
  const HeadToHead& h = summary.headToHead;
  const EloEstimate& e = h.estimate;
  const int games = h.wins + h.draws + h.losses;
  char line[320];
  std::snprintf(line, sizeof line, "1 against 2: %d-%d-%d (wins-draws-losses), score %.3f\n",
                h.wins, h.draws, h.losses, games == 0 ? 0.0 : (h.wins + 0.5 * h.draws) / games);
  std::string text = line;
  if (e.samples <= 0.0) {
    text += h.paired ? "Elo: no pair has both games finished yet\n" : "Elo: no game finished\n";
  } else {
    std::snprintf(
        line, sizeof line, "Elo %s (95 %%: %s to %s), LOS %.1f %%, from %.0f %s\n",
        EloText(e.elo).c_str(), EloText(e.eloLow).c_str(), EloText(e.eloHigh).c_str(),
        100.0 * e.los, e.samples,
        h.paired ? (e.samples == 1.0 ? "pair" : "pairs") : (e.samples == 1.0 ? "game" : "games"));
    text += line;
  }
  if (h.paired) {
    std::snprintf(line, sizeof line, "pairs scoring 0, 1/2, 1, 3/2, 2: %d %d %d %d %d\n",
                  h.pairs[0], h.pairs[1], h.pairs[2], h.pairs[3], h.pairs[4]);
    text += line;
  }
  if (summary.sprt) {
    const SprtSettings& settings = summary.sprtSettings;
    const SprtState& state = summary.sprtState;
    std::snprintf(line, sizeof line, "SPRT [%g, %g] alpha %g beta %g: LLR %.2f (%.2f, %.2f), %s\n",
                  settings.elo0, settings.elo1, settings.alpha, settings.beta, state.llr,
                  state.lower, state.upper,
                  state.decision == SprtDecision::kAcceptH1   ? "H1 accepted"
                  : state.decision == SprtDecision::kAcceptH0 ? "H0 accepted"
                                                              : "no decision");
    text += line;
  }
  return text;
}

records::RecordJson HeadToHeadJson(const MatchSummary& summary) {
  const HeadToHead& h = summary.headToHead;
  const EloEstimate& e = h.estimate;
  const int games = h.wins + h.draws + h.losses;
  records::RecordJson json = {
      {"model", h.paired ? "pentanomial" : "trinomial"},
      {"wins", h.wins},
      {"draws", h.draws},
      {"losses", h.losses},
      {"scoreRate", records::JsonRounded(games == 0 ? 0.0 : (h.wins + 0.5 * h.draws) / games, 4)}};
  if (h.paired) json["pairs"] = h.pairs;
  json["samples"] = static_cast<long long>(e.samples);
  json["score"] = records::JsonRounded(e.score, 4);
  json["standardError"] = records::JsonRounded(e.standardError, 4);
  json["elo"] = records::JsonRounded(e.elo, 2);
  json["eloLow"] = records::JsonRounded(e.eloLow, 2);
  json["eloHigh"] = records::JsonRounded(e.eloHigh, 2);
  json["los"] = records::JsonRounded(e.los, 4);
  return json;
}

records::RecordJson SprtJson(const MatchSummary& summary) {
  const SprtSettings& settings = summary.sprtSettings;
  const SprtState& state = summary.sprtState;
  return {{"elo0", records::JsonRounded(settings.elo0, 2)},
          {"elo1", records::JsonRounded(settings.elo1, 2)},
          {"alpha", records::JsonRounded(settings.alpha, 4)},
          {"beta", records::JsonRounded(settings.beta, 4)},
          {"llr", records::JsonRounded(state.llr, 4)},
          {"lower", records::JsonRounded(state.lower, 4)},
          {"upper", records::JsonRounded(state.upper, 4)},
          {"decision", SprtDecisionName(state.decision)}};
}

records::RecordJson TallyJson(const Tally& tally) {
  return {{"games", tally.games},
          {"wins", tally.wins},
          {"draws", tally.draws},
          {"losses", tally.losses},
          {"pointsFor", tally.pointsFor},
          {"pointsAgainst", tally.pointsAgainst},
          {"scoreRate", records::JsonRounded(ScoreRate(tally), 4)},
          {"pointsPerGame", records::JsonRounded(PerGame(tally.pointsFor, tally), 4)},
          {"pointsAgainstPerGame", records::JsonRounded(PerGame(tally.pointsAgainst, tally), 4)}};
}

}  // namespace

MatchSummary Summarise(const std::vector<game::GameResult>& results, const std::string (&names)[2],
                       const StatisticsSettings& settings) {
  MatchSummary summary;
  summary.headToHead = CountHeadToHead(results, settings.paired);
  summary.sprt = settings.sprt;
  summary.sprtSettings = settings.sprtSettings;
  if (settings.sprt) {
    summary.sprtState = RunSprt(HeadToHeadCounts(summary.headToHead), settings.sprtSettings);
  }
  summary.players[0].name = names[0];
  summary.players[1].name = names[1];
  for (const game::GameResult& game : results) {
    if (game.fault == engines::Fault::kInterrupted) {
      ++summary.unfinished;
      continue;
    }
    ++summary.games;
    for (int p = 0; p < 2; ++p) {
      PlayerSummary& player = summary.players[p];
      const bool lostByFault = game.faultPlayer == p || game.faultPlayer == game::kBothPlayers;
      const int result = lostByFault ? -1 : (game.winner == p ? 1 : (game.winner < 0 ? 0 : -1));
      const int pointsFor = game.score.points[p];
      const int pointsAgainst = game.score.points[1 - p];
      Count(player.all, result, pointsFor, pointsAgainst);
      Count(game::FirstHammerPlayer(game) == p ? player.withHammer : player.withoutHammer, result,
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
  std::string labels[2];
  size_t width = kLabelWidth;
  for (int p = 0; p < 2; ++p) {
    labels[p] = std::to_string(p + 1) + " " + summary.players[p].name;
    width = std::max(width, labels[p].size());
  }
  char header[160];
  std::snprintf(header, sizeof header, " %5s %5s %5s %6s %6s %7s %6s %6s %6s\n", "games", "wins",
                "draws", "losses", "for", "against", "score", "for/g", "ag./g");
  text += Padded("player", width) + header;
  for (int p = 0; p < 2; ++p) {
    const PlayerSummary& player = summary.players[p];
    text += TallyRow(labels[p], width, player.all);
    text += TallyRow("  hammer in end 1", width, player.withHammer);
    text += TallyRow("  first stone (side A)", width, player.withoutHammer);
    std::string faults;
    for (const engines::Fault fault : kFaults) {
      const int count = player.faults[static_cast<int>(fault)];
      if (count > 0)
        faults += std::string(faults.empty() ? "" : ", ") + engines::FaultName(fault) + " " +
                  std::to_string(count);
    }
    if (!faults.empty()) text += "  lost by fault: " + faults + "\n";
  }
  return text + HeadToHeadText(summary);
}

std::string FormatSummaryJson(const MatchSummary& summary) {
  records::RecordJson players = records::RecordJson::array();
  for (int p = 0; p < 2; ++p) {
    const PlayerSummary& player = summary.players[p];
    records::RecordJson faults = records::RecordJson::object();
    for (const engines::Fault fault : kFaults)
      faults[FaultKey(fault)] = player.faults[static_cast<int>(fault)];
    players.push_back({{"player", p + 1},
                       {"name", records::JsonBytes(player.name)},
                       {"all", TallyJson(player.all)},
                       {"withHammer", TallyJson(player.withHammer)},
                       {"withoutHammer", TallyJson(player.withoutHammer)},
                       {"faults", std::move(faults)}});
  }
  records::RecordJson json = {{"games", summary.games},
                              {"interrupted", summary.unfinished},
                              {"players", std::move(players)},
                              {"headToHead", HeadToHeadJson(summary)}};
  if (summary.sprt) json["sprt"] = SprtJson(summary);
  return records::JsonText(json) + "\n";
}

}  // namespace match::reports
