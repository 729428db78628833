#include "match/reports/match_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace match::reports {

namespace {

// The two-sided 95 % quantile of the standard normal distribution.
constexpr double kZ95 = 1.959963984540054;

// Every outcome counts at least half a game (or pair) in the SPRT. A few alike
// results have a variance near zero, which made the ratio leap past a bound
// after two pairs; half a count keeps it finite and small until the results
// themselves say something, and changes nothing for outcomes already seen.
constexpr double kSprtFloorCount = 0.5;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The score of outcome i of `categories`, evenly spread over 0..1.
double OutcomeScore(size_t i, size_t categories) {
  return static_cast<double>(i) / static_cast<double>(categories - 1);
}

struct Moments {
  double total = 0.0;
  double mean = 0.5;
  double variance = 0.0;  // of one sample, not of the mean
};

Moments MomentsOf(const std::vector<double>& counts) {
  Moments moments;
  for (const double count : counts) moments.total += count;
  if (moments.total <= 0.0) return moments;
  double sum = 0.0;
  for (size_t i = 0; i < counts.size(); ++i) sum += counts[i] * OutcomeScore(i, counts.size());
  moments.mean = sum / moments.total;
  double squares = 0.0;
  for (size_t i = 0; i < counts.size(); ++i) {
    const double deviation = OutcomeScore(i, counts.size()) - moments.mean;
    squares += counts[i] * deviation * deviation;
  }
  moments.variance = squares / moments.total;
  return moments;
}

double NormalCdf(double x) {
  return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

}  // namespace

ScoreCounts TrinomialCounts(int losses, int draws, int wins) {
  return ScoreCounts{
      {static_cast<double>(losses), static_cast<double>(draws), static_cast<double>(wins)}};
}

ScoreCounts PentanomialCounts(const int (&pairs)[5]) {
  ScoreCounts counts;
  for (const int count : pairs) counts.counts.push_back(static_cast<double>(count));
  return counts;
}

double EloFromScore(double score) {
  if (score <= 0.0) return -kInfinity;
  if (score >= 1.0) return kInfinity;
  return -400.0 * std::log10(1.0 / score - 1.0);
}

double ScoreFromElo(double elo) {
  return 1.0 / (1.0 + std::pow(10.0, -elo / 400.0));
}

std::string EloText(double elo) {
  if (!std::isfinite(elo)) return elo > 0 ? "+inf" : "-inf";
  char text[32];
  // Not "-0.0" for a difference that rounds to nothing.
  std::snprintf(text, sizeof text, "%+.1f", std::fabs(elo) < 0.05 ? 0.0 : elo);
  return text;
}

EloEstimate EstimateElo(const ScoreCounts& counts) {
  const Moments moments = MomentsOf(counts.counts);
  EloEstimate estimate;
  estimate.samples = moments.total;
  if (moments.total <= 0.0) return estimate;
  estimate.score = moments.mean;
  estimate.standardError = std::sqrt(moments.variance / moments.total);
  estimate.elo = EloFromScore(moments.mean);
  estimate.eloLow = EloFromScore(moments.mean - kZ95 * estimate.standardError);
  estimate.eloHigh = EloFromScore(moments.mean + kZ95 * estimate.standardError);
  if (estimate.standardError > 0.0) {
    estimate.los = NormalCdf((moments.mean - 0.5) / estimate.standardError);
  } else {
    estimate.los = moments.mean > 0.5 ? 1.0 : (moments.mean < 0.5 ? 0.0 : 0.5);
  }
  return estimate;
}

SprtState RunSprt(const ScoreCounts& counts, const SprtSettings& settings) {
  SprtState state;
  state.lower = std::log(settings.beta / (1.0 - settings.alpha));
  state.upper = std::log((1.0 - settings.beta) / settings.alpha);
  double observed = 0.0;
  for (const double count : counts.counts) observed += count;
  if (observed <= 0.0) return state;
  std::vector<double> floored = counts.counts;
  for (double& count : floored) count = std::max(count, kSprtFloorCount);
  const Moments moments = MomentsOf(floored);
  const double s0 = ScoreFromElo(settings.elo0);
  const double s1 = ScoreFromElo(settings.elo1);
  state.llr = moments.total * (s1 - s0) * (2.0 * moments.mean - s0 - s1) / (2.0 * moments.variance);
  if (state.llr >= state.upper) state.decision = SprtDecision::kAcceptH1;
  if (state.llr <= state.lower) state.decision = SprtDecision::kAcceptH0;
  return state;
}

const char* SprtDecisionName(SprtDecision decision) {
  switch (decision) {
    case SprtDecision::kAcceptH0:
      return "H0";
    case SprtDecision::kAcceptH1:
      return "H1";
    default:
      return "continue";
  }
}

}  // namespace match::reports
