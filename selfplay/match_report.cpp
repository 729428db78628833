#include "selfplay/match_report.h"

#include <algorithm>
#include <cstdio>

#include "match/records/record_json.h"
#include "match/reports/match_statistics.h"

namespace selfplay {

namespace {

// The normal quantile of a two-sided 95 % interval.
constexpr double kInterval95 = 1.959963984540054;

double PerEnd(int points, int ends) {
  return ends == 0 ? 0.0 : static_cast<double>(points) / ends;
}

std::string HammerText(int player, const std::string& name, const HammerTally& t) {
  char text[400];
  std::snprintf(text, sizeof text,
                "%d %s: with the hammer %d ends, %.3f points/end, %d blank, %d of one point, "
                "%d steals conceded; without it %d ends, %.3f points/end, %d steals made\n",
                player + 1, name.c_str(), t.endsWith, PerEnd(t.pointsWith, t.endsWith),
                t.blanksWith, t.onePointWith, t.stealsConceded, t.endsWithout,
                PerEnd(t.pointsWithout, t.endsWithout), t.stealsMade);
  return text;
}

match::records::RecordJson HammerJson(const HammerTally& t) {
  return {
      {"endsWithHammer", t.endsWith},
      {"pointsWithHammer", t.pointsWith},
      {"pointsPerEndWithHammer", match::records::JsonRounded(PerEnd(t.pointsWith, t.endsWith), 4)},
      {"blankEndsWithHammer", t.blanksWith},
      {"onePointEndsWithHammer", t.onePointWith},
      {"stealsConceded", t.stealsConceded},
      {"endsWithoutHammer", t.endsWithout},
      {"pointsWithoutHammer", t.pointsWithout},
      {"pointsPerEndWithoutHammer",
       match::records::JsonRounded(PerEnd(t.pointsWithout, t.endsWithout), 4)},
      {"stealsMade", t.stealsMade}};
}

}  // namespace

void CountGame(MatchTally& tally, int number, const SelfPlayGame& game) {
  match::game::GameResult result;
  result.gameNumber = number;
  result.score = game.score;
  result.winner = game.winner;
  result.draw = game.winner < 0;
  tally.results.push_back(result);
  const match::game::LineScore& score = game.score;
  for (int end = 0; end < score.endsPlayed; ++end) {
    const int hammer = HammerPlayer(score, end);
    const int other = 1 - hammer;
    const int scored = score.endPoints[end][hammer];
    const int stolen = score.endPoints[end][other];
    HammerTally& with = tally.ends[hammer];
    HammerTally& without = tally.ends[other];
    ++with.endsWith;
    with.pointsWith += scored;
    if (scored == 0 && stolen == 0) ++with.blanksWith;
    if (scored == 1) ++with.onePointWith;
    if (stolen > 0) ++with.stealsConceded;
    ++without.endsWithout;
    without.pointsWithout += stolen;
    if (stolen > 0) ++without.stealsMade;
  }
}

match::reports::MatchSummary SummariseTally(const MatchTally& tally, const std::string (&names)[2],
                                            const match::reports::StatisticsSettings& settings) {
  return match::reports::Summarise(tally.results, names, settings);
}

ScoreInterval ScoreIntervalOf(const match::reports::EloEstimate& estimate) {
  ScoreInterval interval;
  interval.score = estimate.score;
  interval.low = std::max(0.0, estimate.score - kInterval95 * estimate.standardError);
  interval.high = std::min(1.0, estimate.score + kInterval95 * estimate.standardError);
  return interval;
}

std::string FormatMatchText(const match::reports::MatchSummary& summary, const MatchTally& tally) {
  std::string text = match::reports::FormatSummaryText(summary);
  const match::reports::HeadToHead& h = summary.headToHead;
  const ScoreInterval interval = ScoreIntervalOf(h.estimate);
  char line[200];
  std::snprintf(line, sizeof line, "points %.1f of %d, score %.3f (95 %%: %.3f to %.3f)\n",
                h.wins + 0.5 * h.draws, h.wins + h.draws + h.losses, interval.score, interval.low,
                interval.high);
  text += line;
  for (int p = 0; p < 2; ++p) text += HammerText(p, summary.players[p].name, tally.ends[p]);
  return text;
}

std::string FormatMatchJson(const match::reports::MatchSummary& summary, const MatchTally& tally) {
  match::records::RecordJson json;
  std::string error;
  match::records::ParseJsonText(match::reports::FormatSummaryJson(summary), json, error);
  const match::reports::HeadToHead& h = summary.headToHead;
  const ScoreInterval interval = ScoreIntervalOf(h.estimate);
  json["headToHead"]["points"] = h.wins + 0.5 * h.draws;
  json["headToHead"]["scoreLow"] = match::records::JsonRounded(interval.low, 4);
  json["headToHead"]["scoreHigh"] = match::records::JsonRounded(interval.high, 4);
  for (int p = 0; p < 2; ++p) json["players"][p]["ends"] = HammerJson(tally.ends[p]);
  return match::records::JsonText(json) + "\n";
}

}  // namespace selfplay
