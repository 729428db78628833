#include "search/strong/value_model.h"

#include <algorithm>
#include <cmath>

namespace search::strong {

namespace {

// The weights: kValueInputs, kValueHidden and the arrays, written by
// training/train_value.py. Each layer's weights are stored input-major
// (weights[i * outputs + j] from input i to output j), so that the inner loop
// runs over the outputs and every sum is taken in input order.
#include "search/strong/value_weights.inc"

static_assert(kValueInputs == kPositionFeatureCount, "weights written for another row");
static_assert(kValueOutputs == kEndScoreClasses, "weights written for other classes");

// out = relu?(bias + in * weights), sums in input order; a zero input adds
// nothing, and most of the row is zero (absent stones, the one-hot groups).
template <int kIn, int kOut>
void Layer(const float* in, const float (&weights)[kIn * kOut], const float (&bias)[kOut],
           bool relu, float* out) {
  for (int j = 0; j < kOut; ++j) out[j] = bias[j];
  for (int i = 0; i < kIn; ++i) {
    const float x = in[i];
    if (x == 0.0f) continue;
    const float* row = weights + i * kOut;
    for (int j = 0; j < kOut; ++j) out[j] += x * row[j];
  }
  if (relu) {
    for (int j = 0; j < kOut; ++j) out[j] = out[j] > 0.0f ? out[j] : 0.0f;
  }
}

}  // namespace

double PortableExp(double x) {
  // Below this the result is far under any probability that matters.
  if (!(x > -700.0)) return 0.0;
  if (x > 0.0) x = 0.0;
  // x = k ln 2 + r with |r| <= ln 2 / 2; ln 2 in two parts so that k ln 2 is
  // exact for the k that occur.
  constexpr double kLn2High = 6.93147180369123816490e-01;
  constexpr double kLn2Low = 1.90821492927058770002e-10;
  constexpr double kInvLn2 = 1.44269504088896338700e+00;
  const double k = std::floor(x * kInvLn2 + 0.5);
  const double r = (x - k * kLn2High) - k * kLn2Low;
  // Taylor series to r^13 / 13!: the next term is below 1e-17 for |r| <= 0.35.
  double sum = 1.0;
  for (int n = 13; n >= 1; --n) sum = 1.0 + sum * r / n;
  return std::ldexp(sum, static_cast<int>(k));
}

EndScoreChances PredictEndScores(const PositionFeatures& features) {
  float hidden1[kValueHidden];
  float hidden2[kValueHidden];
  float logits[kValueOutputs];
  Layer<kValueInputs, kValueHidden>(features.data(), kValueWeights1, kValueBias1, true, hidden1);
  Layer<kValueHidden, kValueHidden>(hidden1, kValueWeights2, kValueBias2, true, hidden2);
  Layer<kValueHidden, kValueOutputs>(hidden2, kValueWeights3, kValueBias3, false, logits);
  // Softmax in double, shifted by the largest logit.
  const float top = *std::max_element(logits, logits + kValueOutputs);
  double e[kValueOutputs];
  double total = 0.0;
  for (int j = 0; j < kValueOutputs; ++j) {
    e[j] = PortableExp(static_cast<double>(logits[j]) - top);
    total += e[j];
  }
  EndScoreChances chances{};
  for (int j = 0; j < kValueOutputs; ++j) chances[j] = static_cast<float>(e[j] / total);
  return chances;
}

double LearnedValue(const GameState& position, const EndValues& values, bool playerIsSideA,
                    int playerLead) {
  const int shots = position.shotNumber;
  if (shots < 1 || shots > 15) return ClosedEndValue(values, position, playerIsSideA);
  const bool playerHasHammer = HammerIsSideA(position) == playerIsSideA;
  const int hammerLead = playerHasHammer ? playerLead : -playerLead;
  const EndScoreChances chances =
      PredictEndScores(EncodePosition(position, hammerLead, EndsLeftAfter(position)));
  // The player's end score is the hammer side's, negated when the player is
  // the other side.
  const int sign = playerHasHammer ? 1 : -1;
  double sum = 0.0;
  for (int i = 0; i < kEndScoreClasses; ++i) {
    sum += static_cast<double>(chances[i]) * values[sign * (i - kStandingFinalClip) + kMaxEndScore];
  }
  return sum;
}

}  // namespace search::strong
