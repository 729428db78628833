#include "search/strong/strong_search.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/one_ply_pick.h"
#include "search/seed_mix.h"
#include "search/simulate_shot.h"
#include "search/strong/game_value.h"
#include "search/strong/position_judge.h"
#include "search/strong/replies.h"

namespace search::strong {

namespace {

// Samples of every candidate in the first round.
constexpr uint32_t kFirstRoundSamples = 2;
// Candidates that survive a round: the better half.
constexpr int kKeepDivisor = 2;
// Noisy executions of each reply when the opponent answers with the end's
// last stone (the stone before the last).
constexpr int kTwoPlyTrials = 2;
// Stones of the reply line after a candidate earlier in the end: enough to
// see the answers to it and the answers to those (docs/strength.md).
constexpr int kReplyLineStones = 3;
// No sample starts this close to the end of the time: the last one and the
// reply fit in what is left.
constexpr uint64_t kFinishMarginMs = 25;
// Draw targets closer than this to a kept one of the same spin are left out,
// and so are the odd powers up to this one.
constexpr float kDrawSpacing = 0.25f;
constexpr int kFirmestSoftPower = 10;
// The screen: executions of every candidate, and how many candidates it
// keeps (at least the first, else a share of the list).
constexpr uint32_t kScreenSamples = 4;
constexpr size_t kScreenKeepLeast = 12;
constexpr size_t kScreenKeepDivisor = 4;
constexpr uint64_t kScreenStream = 2;
// A sample not taken yet.
constexpr float kNotSampled = -1.0f;

uint64_t FreshSeed() {
  std::random_device device;
  return (static_cast<uint64_t>(device()) << 32) ^ device();
}

struct Problem {
  GameState position;
  PositionJudge judge;
  uint64_t seed;
  bool foresee;
  uint64_t foreseenSeed;
};

// Executes `shot` on `position` with the execution error of `seed`, or with
// the foreseen one, and leaves the simulator seeded with `seed` for what
// follows.
GameState Execute(const Problem& problem, const ShotVec& shot, uint64_t seed) {
  GameState after = problem.position;
  if (problem.foresee && seedSimulator != nullptr) {
    seedSimulator(problem.foreseenSeed);
    SimulateShot(after, shot);
    seedSimulator(seed);
    return after;
  }
  if (seedSimulator != nullptr) seedSimulator(seed);
  SimulateShot(after, shot);
  return after;
}

// One sample of a candidate: the shot executed with error, then valued as
// ValueAfterDelivery says. Sample k of every candidate draws the same random
// numbers.
float Sample(const Problem& problem, const ShotVec& shot, uint32_t sample) {
  const GameState after = Execute(problem, shot, MixSeed(problem.seed, sample));
  return static_cast<float>(ValueAfterDelivery(after, problem.judge, kTwoPlyTrials));
}

// The screen's view of one execution of a candidate: the position it leaves,
// valued as it stands. Cheap and steady, it judges the shot by what it does
// at once, as a one-ply player would.
float ScreenSample(const Problem& problem, const ShotVec& shot, uint32_t sample) {
  const GameState after =
      Execute(problem, shot, MixSeed(MixSeed(problem.seed, sample), kScreenStream));
  return static_cast<float>(problem.judge.Value(after));
}

struct Candidate {
  ShotVec shot;
  std::vector<float> values;  // by sample index
};

// Mean of the first `count` samples.
double MeanOf(const Candidate& candidate, size_t count) {
  double sum = 0.0;
  for (size_t k = 0; k < count; ++k) sum += candidate.values[k];
  return count > 0 ? sum / static_cast<double>(count) : -1.0;
}

size_t SamplesTaken(const Candidate& candidate) {
  size_t count = 0;
  while (count < candidate.values.size() && candidate.values[count] != kNotSampled) ++count;
  return count;
}

// Runs jobs 0 .. count - 1 on `threads` threads, the calling one included,
// until they are done or `expired` says the time is over. Returns whether
// the time ran out.
template <typename Job, typename Expired>
bool RunJobs(int threads, size_t count, const Job& job, const Expired& expired) {
  std::atomic<size_t> next{0};
  std::atomic<bool> late{false};
  const auto work = [&] {
    for (;;) {
      if (late.load(std::memory_order_relaxed)) return;
      const size_t index = next.fetch_add(1, std::memory_order_relaxed);
      if (index >= count) return;
      if (expired()) {
        late.store(true, std::memory_order_relaxed);
        return;
      }
      job(index);
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
  return late.load();
}

// Whether `candidate` is dropped, adding little to the kept ones: the execution
// error spreads a draw over more than the grid's step, and a hit's weight
// over more than one power step below firm takeouts.
bool DroppedBesideKept(const candidates::ShotCandidate& candidate,
                       const std::vector<candidates::ShotCandidate>& kept) {
  if (candidate.power != candidates::kDrawPower && candidate.power <= kFirmestSoftPower &&
      candidate.power % 2 != 0) {
    return true;
  }
  if (candidate.power != candidates::kDrawPower) return false;
  for (const candidates::ShotCandidate& other : kept) {
    if (other.power != candidates::kDrawPower || other.target.spin != candidate.target.spin)
      continue;
    const float dx = other.target.x - candidate.target.x;
    const float dy = other.target.y - candidate.target.y;
    if (dx * dx + dy * dy < kDrawSpacing * kDrawSpacing) return true;
  }
  return false;
}

std::vector<Candidate> MakeCandidates(const GameState& position) {
  std::vector<Candidate> candidates;
  for (const ShotVec& shot : StrongCandidateShots(position)) candidates.push_back({shot, {}});
  return candidates;
}

// Keeps the candidates that the screen ranks best, in `alive`: the reply
// lines then choose among shots that already do well at once.
template <typename Expired>
void Screen(const Problem& problem, const std::vector<Candidate>& candidates,
            std::vector<int>& alive, int threads, const Expired& expired) {
  const size_t count = candidates.size();
  const size_t keep = std::max(kScreenKeepLeast, count / kScreenKeepDivisor);
  if (count <= keep) return;
  std::vector<float> sums(count * kScreenSamples, 0.0f);
  const auto job = [&](size_t index) {
    const size_t candidate = index % count;
    const auto sample = static_cast<uint32_t>(index / count);
    sums[index] = ScreenSample(problem, candidates[candidate].shot, sample);
  };
  // Cut short by the clock, the screen ranks on what it has: candidates
  // not screened keep a sum of 0 and fall behind.
  RunJobs(threads, count * kScreenSamples, job, expired);
  std::vector<double> mean(count, 0.0);
  for (size_t index = 0; index < sums.size(); ++index) mean[index % count] += sums[index];
  std::stable_sort(alive.begin(), alive.end(), [&](int a, int b) { return mean[a] > mean[b]; });
  alive.resize(keep);
  std::sort(alive.begin(), alive.end());
}

}  // namespace

std::vector<ShotVec> StrongCandidateShots(const GameState& position) {
  // Left uninitialised, as the generator fills it (std::make_unique_for_overwrite,
  // which emscripten's library lacks).
  const std::unique_ptr<candidates::ShotCandidate[]> list(
      new candidates::ShotCandidate[candidates::kCandidateCapacity]);
  int count = 0;
  {
    // The generator reads the calling thread's record.
    const engine::GameRecordHeld held(position);
    count = candidates::GenerateCandidates(list.get());
  }
  std::vector<candidates::ShotCandidate> kept;
  for (int i = 0; i < count; ++i) {
    if (!DroppedBesideKept(list[i], kept)) kept.push_back(list[i]);
  }
  std::vector<ShotVec> shots(kept.size());
  for (size_t i = 0; i < kept.size(); ++i) candidates::MakeCandidateShot(kept[i], &shots[i]);
  // The list has no shot that leaves the house as it is: blanking an end
  // with the hammer needs one.
  shots.push_back(ThroughTheHouse());
  return shots;
}

PositionJudge StrongJudge(const GameState& position, int lead, Evaluation evaluation) {
  const GameSituation situation{position.currentEnd, position.lastEnd, lead,
                                (position.shotNumber & 1) != 0};
  return PositionJudge{EndValuesFor(situation, MeasuredEndScoreFrequencies()),
                       position.turnFlag == 0, evaluation, lead};
}

double ValueAfterDelivery(const GameState& after, const PositionJudge& judge, int lastStoneTrials) {
  if (after.shotNumber == 15) return LastStoneValue(after, judge, lastStoneTrials);
  return ReplyLineValue(after, judge, kReplyLineStones);
}

ShotVec SearchStrong(const GameState& position, int lead, const StrongSettings& settings,
                     uint64_t startMs, StrongReport* report) {
  StrongReport summary{0, 0, 0, 0, 0.0, false};
  // The simulator takes no shot outside 0 to 15: nothing to search.
  if (position.shotNumber < 0 || position.shotNumber > 15) {
    ShotVec tee{};
    createShot(engine::TeeTarget(0), &tee);
    if (report != nullptr) *report = summary;
    return tee;
  }

  Problem problem;
  problem.position = position;
  problem.judge = StrongJudge(position, lead, settings.evaluation);
  problem.seed = settings.seedGiven ? MixSeed(settings.seed, HashPosition(position)) : FreshSeed();
  problem.foresee = settings.foresee;
  problem.foreseenSeed = settings.foreseenSeed;

  const uint64_t deadline =
      startMs + (settings.timeMs > kFinishMarginMs ? settings.timeMs - kFinishMarginMs : 0);
  const bool byClock = settings.sampleBudget == 0;
  const auto expired = [&] { return byClock && settings.readClockMs() >= deadline; };
  const int threads = std::max(1, settings.threads);

  std::vector<Candidate> candidates = MakeCandidates(position);
  summary.candidates = static_cast<int>(candidates.size());
  std::vector<int> alive(candidates.size());
  for (size_t i = 0; i < alive.size(); ++i) alive[i] = static_cast<int>(i);
  Screen(problem, candidates, alive, threads, expired);

  const uint64_t searchStart = settings.readClockMs();

  size_t taken = 0;  // samples of each alive candidate so far
  uint32_t perCandidate = kFirstRoundSamples;
  for (;;) {
    if (!byClock) {
      const uint64_t left =
          settings.sampleBudget - std::min(settings.sampleBudget, summary.samples);
      perCandidate = std::min<uint64_t>(perCandidate, left / alive.size());
      if (perCandidate == 0) break;
    }
    ++summary.rounds;
    for (const int c : alive) candidates[c].values.resize(taken + perCandidate, kNotSampled);
    const size_t jobs = alive.size() * perCandidate;
    // Sample-major order: a round cut short leaves every candidate with
    // nearly the same number of samples.
    const auto job = [&](size_t index) {
      Candidate& candidate = candidates[alive[index % alive.size()]];
      const auto sample = static_cast<uint32_t>(taken + index / alive.size());
      candidate.values[sample] = Sample(problem, candidate.shot, sample);
    };
    summary.stoppedByClock = RunJobs(threads, jobs, job, expired);

    if (summary.stoppedByClock) {
      // Compare on the samples that every candidate still in the running has.
      size_t common = SIZE_MAX;
      for (const int c : alive) {
        const size_t count = SamplesTaken(candidates[c]);
        summary.samples += count - std::min(count, taken);
        if (count > 0) common = std::min(common, count);
      }
      std::erase_if(alive, [&](int c) { return SamplesTaken(candidates[c]) == 0; });
      if (alive.empty()) alive.push_back(0);
      taken = common == SIZE_MAX ? 0 : common;
    } else {
      summary.samples += jobs;
      taken += perCandidate;
    }
    std::stable_sort(alive.begin(), alive.end(), [&](int a, int b) {
      return MeanOf(candidates[a], taken) > MeanOf(candidates[b], taken);
    });
    if (summary.stoppedByClock) break;

    // Halve, down to two finalists that share whatever remains.
    const size_t keep = std::max<size_t>(2, (alive.size() + kKeepDivisor - 1) / kKeepDivisor);
    if (alive.size() > keep) alive.resize(keep);
    if (alive.size() < 2) break;
    uint64_t remaining = 0;
    if (byClock) {
      const uint64_t now = settings.readClockMs();
      if (now >= deadline) break;
      const double rate = static_cast<double>(summary.samples) /
                          static_cast<double>(std::max<uint64_t>(1, now - searchStart));
      remaining = static_cast<uint64_t>(rate * static_cast<double>(deadline - now));
    } else {
      remaining = settings.sampleBudget - std::min(settings.sampleBudget, summary.samples);
    }
    const int roundsLeft =
        1 + static_cast<int>(std::ceil(std::log2(static_cast<double>(alive.size()))));
    const uint64_t share = remaining / static_cast<uint64_t>(roundsLeft) / alive.size();
    perCandidate = static_cast<uint32_t>(std::clamp<uint64_t>(share, perCandidate, 1u << 16));
  }

  const int chosen = alive.front();
  summary.chosen = chosen;
  summary.value = MeanOf(candidates[chosen], std::min(taken, SamplesTaken(candidates[chosen])));
  if (report != nullptr) *report = summary;
  return candidates[chosen].shot;
}

ShotVec StrongPlayer::Decide(const GameState& state, uint64_t timeMs) {
  StrongSettings settings = settings_;
  settings.timeMs = timeMs;
  if (foreseeNext_) {
    settings.foresee = true;
    settings.foreseenSeed = foreseenSeed_;
    foreseeNext_ = false;
  }
  const uint64_t start = settings.readClockMs();
  const int lead = InferLead(memory_, state, state.turnFlag == 0);
  if (state.shotNumber < settings.searchFromShot) {
    if (seedSimulator != nullptr) {
      seedSimulator(settings.seedGiven ? MixSeed(settings.seed, HashPosition(state)) : FreshSeed());
    }
    return OnePlyPick(state, onePlyScratch_);
  }
  return SearchStrong(state, lead, settings, start, nullptr);
}

}  // namespace search::strong
