// Head-to-head statistics of player 1 against player 2: the score, the Elo
// difference with its 95 % interval, the likelihood of superiority and the
// sequential probability ratio test. Scores come either from single games
// (trinomial: 0, 1/2, 1) or from pairs of games that share a seed with the
// sides swapped (pentanomial: 0, 1/2, 1, 3/2, 2, halved to lie in 0..1).
#pragma once

#include <string>
#include <vector>

namespace match::reports {

// Counts of the outcomes, lowest score first: three for single games, five
// for pairs.
struct ScoreCounts {
  std::vector<double> counts;
};

ScoreCounts TrinomialCounts(int losses, int draws, int wins);
// `pairs[i]` pairs scored i/2 points for player 1.
ScoreCounts PentanomialCounts(const int (&pairs)[5]);

struct EloEstimate {
  double samples = 0.0;        // games or pairs
  double score = 0.5;          // mean score of player 1, from 0 to 1
  double standardError = 0.0;  // of the mean score
  // Infinite when the score (or an end of its interval) is 0 or 1.
  double elo = 0.0;
  double eloLow = 0.0;
  double eloHigh = 0.0;
  double los = 0.5;  // likelihood that player 1 is the stronger
};

// Elo difference of a mean score, and back.
double EloFromScore(double score);
double ScoreFromElo(double elo);
// "+41.9", "-inf": one word, for the progress lines and the summary.
std::string EloText(double elo);

// Nothing is known without samples: score 1/2, Elo 0, LOS 1/2.
EloEstimate EstimateElo(const ScoreCounts& counts);

struct SprtSettings {
  double elo0 = 0.0;
  double elo1 = 5.0;
  double alpha = 0.05;
  double beta = 0.05;
};

enum class SprtDecision { kContinue, kAcceptH0, kAcceptH1 };

struct SprtState {
  double llr = 0.0;
  double lower = 0.0;  // log(beta / (1 - alpha)): H0 accepted at or below it
  double upper = 0.0;  // log((1 - beta) / alpha): H1 accepted at or above it
  SprtDecision decision = SprtDecision::kContinue;
};

// The generalized SPRT in its normal approximation, on the counts given.
SprtState RunSprt(const ScoreCounts& counts, const SprtSettings& settings);

const char* SprtDecisionName(SprtDecision decision);  // "continue", "H0", "H1"

}  // namespace match::reports
