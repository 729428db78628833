#include "selfplay/regret.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <random>
#include <thread>

#include "engine/library_binding.h"
#include "match/records/record_json.h"
#include "opponents/greedy_player.h"
#include "search/seed_mix.h"
#include "search/simulate_shot.h"
#include "search/strong/strong_search.h"
#include "search/strong/strong_settings.h"
#include "selfplay/position_file.h"

namespace selfplay {

namespace {

// Executions of each opponent reply when the last stone answers: more than
// the search affords, so that the opponent's best reply is found, not the
// luckiest.
constexpr int kMeasureReplyTrials = 8;
// Streams of a position's seed.
constexpr uint64_t kExecutionStream = 1;
constexpr uint64_t kGreedyStream = 2;
constexpr uint64_t kStrongStream = 3;
// The normal quantile of a two-sided 95 % interval.
constexpr double kInterval95 = 1.959963984540054;

// The index of `shot` in `shots`, added at the end when it is not there.
size_t IndexOf(std::vector<ShotVec>& shots, const ShotVec& shot) {
  for (size_t i = 0; i < shots.size(); ++i) {
    if (shots[i].vx == shot.vx && shots[i].vy == shot.vy && shots[i].spin == shot.spin) return i;
  }
  shots.push_back(shot);
  return shots.size() - 1;
}

RegretFigures FiguresOf(const std::vector<double>& regrets) {
  RegretFigures figures;
  const auto n = static_cast<double>(regrets.size());
  if (regrets.empty()) return figures;
  double sum = 0.0;
  int near = 0;
  for (const double r : regrets) {
    sum += r;
    near += r <= kNearBest ? 1 : 0;
  }
  figures.mean = sum / n;
  double squares = 0.0;
  for (const double r : regrets) squares += (r - figures.mean) * (r - figures.mean);
  const double error = regrets.size() > 1 ? std::sqrt(squares / (n - 1.0) / n) : 0.0;
  figures.low = figures.mean - kInterval95 * error;
  figures.high = figures.mean + kInterval95 * error;
  figures.nearBest = near / n;
  return figures;
}

match::records::RecordJson FiguresJson(const RegretFigures& f) {
  return {{"meanRegret", match::records::JsonRounded(f.mean, 5)},
          {"low", match::records::JsonRounded(f.low, 5)},
          {"high", match::records::JsonRounded(f.high, 5)},
          {"nearBest", match::records::JsonRounded(f.nearBest, 4)}};
}

std::string FiguresText(const RegretFigures& f) {
  char text[120];
  std::snprintf(text, sizeof text, " %.4f (%.4f to %.4f) | %.0f %% |", f.mean, f.low, f.high,
                100.0 * f.nearBest);
  return text;
}

}  // namespace

RecordPosition PositionOf(const PositionRecord& record, bool player2HammerFirst) {
  RecordPosition position;
  GameState& state = position.state;
  state.shotNumber = record.shot;
  state.currentEnd = record.end;
  // An extra end is the last end while it is played.
  state.lastEnd = std::max<int>(record.end, record.lastEnd);
  const int hammer = (record.flags & kPlayer2HammerFlag) != 0 ? 1 : 0;
  // The hammer side delivers the odd shots; side A had no hammer in end 0.
  const bool hammerDelivers = record.shot % 2 == 1;
  const int deliverer = hammerDelivers ? hammer : 1 - hammer;
  const int sideA = player2HammerFirst ? 0 : 1;
  state.turnFlag = deliverer == sideA ? 0 : 1;
  for (int i = 0; i < 16; ++i)
    state.stones[i] = StonePos{record.stones[2 * i], record.stones[2 * i + 1]};
  position.lead = hammerDelivers ? record.lead : -record.lead;
  return position;
}

PositionRegret MeasureRegret(const RecordPosition& position, int executions, uint64_t samples,
                             uint64_t seed) {
  const GameState& state = position.state;
  std::vector<ShotVec> shots = search::strong::StrongCandidateShots(state);

  opponents::GreedyPlayer greedy(
      opponents::OpponentSeed{true, search::MixSeed(seed, kGreedyStream)});
  const size_t greedyPick = IndexOf(shots, greedy.Decide(state, 0));
  search::strong::StrongSettings settings = search::strong::ShippedStrongSettings();
  settings.seedGiven = true;
  settings.seed = search::MixSeed(seed, kStrongStream);
  settings.sampleBudget = samples;
  // The positions are measured in parallel instead.
  settings.threads = 1;
  const size_t strongPick =
      IndexOf(shots, search::strong::SearchStrong(state, position.lead, settings,
                                                  settings.readClockMs(), nullptr));

  const search::strong::PositionJudge judge =
      search::strong::StrongJudge(state, position.lead, search::strong::Evaluation::kStandingTable);
  std::vector<double> values(shots.size(), 0.0);
  for (size_t c = 0; c < shots.size(); ++c) {
    double sum = 0.0;
    for (int k = 0; k < executions; ++k) {
      // Execution k is the same luck for every candidate.
      seedSimulator(
          search::MixSeed(search::MixSeed(seed, kExecutionStream), static_cast<uint64_t>(k)));
      GameState after = state;
      search::SimulateShot(after, shots[c]);
      sum += search::strong::ValueAfterDelivery(after, judge, kMeasureReplyTrials);
    }
    values[c] = sum / executions;
  }
  PositionRegret regret;
  regret.shot = state.shotNumber;
  regret.best = *std::max_element(values.begin(), values.end());
  regret.greedyRegret = regret.best - values[greedyPick];
  regret.strongRegret = regret.best - values[strongPick];
  return regret;
}

std::vector<RegretRow> RegretTable(const std::vector<PositionRegret>& measured) {
  std::vector<RegretRow> rows;
  for (int shot = -1; shot < 16; ++shot) {
    std::vector<double> greedy;
    std::vector<double> strong;
    for (const PositionRegret& m : measured) {
      if (shot >= 0 && m.shot != shot) continue;
      greedy.push_back(m.greedyRegret);
      strong.push_back(m.strongRegret);
    }
    if (greedy.empty()) continue;
    rows.push_back(
        RegretRow{shot, static_cast<int>(greedy.size()), FiguresOf(greedy), FiguresOf(strong)});
  }
  // Every shot first, the whole last.
  if (!rows.empty()) std::rotate(rows.begin(), rows.begin() + 1, rows.end());
  return rows;
}

bool RunRegret(const RegretRun& run, std::vector<PositionRegret>& measured, std::string& error) {
  PositionFile file;
  if (!ReadPositionFile(run.data, file, error)) return false;
  // Every record by shot number, with its game's first hammer.
  struct Found {
    const PositionRecord* record;
    bool player2HammerFirst;
    uint64_t index;  // in the file, for the position's seed
  };
  std::vector<Found> byShot[16];
  uint64_t index = 0;
  for (const auto& game : file.games) {
    const bool player2HammerFirst = (game.front().flags & kPlayer2HammerFlag) != 0;
    for (const PositionRecord& record : game) {
      if (record.shot < 16) byShot[record.shot].push_back({&record, player2HammerFirst, index});
      ++index;
    }
  }
  if (index == 0) {
    error = run.data + " holds no whole game";
    return false;
  }
  // As many of each shot number, the first ones one more when they do not
  // divide evenly, drawn without replacement.
  std::mt19937_64 draw(search::MixSeed(run.seed, 0x7265677265ULL));
  std::vector<Found> chosen;
  for (int shot = 0; shot < 16; ++shot) {
    std::vector<Found>& pool = byShot[shot];
    const int share = run.positions / 16 + (shot < run.positions % 16 ? 1 : 0);
    const auto wanted = static_cast<size_t>(share);
    const size_t take = std::min(wanted, pool.size());
    for (size_t i = 0; i < take; ++i) {
      std::uniform_int_distribution<size_t> pick(i, pool.size() - 1);
      std::swap(pool[i], pool[pick(draw)]);
      chosen.push_back(pool[i]);
    }
  }
  measured.assign(chosen.size(), PositionRegret{});
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i = next++; i < chosen.size(); i = next++) {
      const Found& found = chosen[i];
      measured[i] =
          MeasureRegret(PositionOf(*found.record, found.player2HammerFirst), run.executions,
                        run.samples, search::MixSeed(run.seed, found.index));
    }
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < run.threads; ++t) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
  return true;
}

std::string FormatRegretText(const std::vector<RegretRow>& rows) {
  std::string text =
      "| shot | positions | greedy regret (95 %) | greedy within 0.01 | strong regret (95 %) | "
      "strong within 0.01 |\n|---|---|---|---|---|---|\n";
  for (const RegretRow& row : rows) {
    text += "| " + (row.shot < 0 ? std::string("all") : std::to_string(row.shot)) + " | " +
            std::to_string(row.positions) + " |" + FiguresText(row.greedy) +
            FiguresText(row.strong) + "\n";
  }
  return text;
}

std::string FormatRegretJson(const RegretRun& run, const std::vector<RegretRow>& rows) {
  match::records::RecordJson json = {{"data", match::records::JsonBytes(run.data)},
                                     {"positions", run.positions},
                                     {"seed", run.seed},
                                     {"executions", run.executions},
                                     {"samples", run.samples},
                                     {"nearBest", kNearBest},
                                     {"rows", match::records::RecordJson::array()}};
  for (const RegretRow& row : rows) {
    match::records::RecordJson entry = {
        {"shot",
         row.shot < 0 ? match::records::RecordJson("all") : match::records::RecordJson(row.shot)},
        {"positions", row.positions},
        {"greedy", FiguresJson(row.greedy)},
        {"strong", FiguresJson(row.strong)}};
    json["rows"].push_back(entry);
  }
  return match::records::JsonText(json) + "\n";
}

}  // namespace selfplay
