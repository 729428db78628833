#include "selfplay/player_choice.h"

#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include "command_line/whole_number.h"
#include "opponents/greedy_player.h"
#include "opponents/random_player.h"
#include "opponents/tee_player.h"
#include "search/reference_player.h"
#include "search/search_settings.h"
#include "search/seed_mix.h"
#include "search/strong/strong_search.h"
#include "search/strong/strong_settings.h"
#include "selfplay/self_play_game.h"

namespace selfplay {

namespace {

constexpr std::string_view kPhasePrefix = "phase@";
// An hour: longer than any decision anyone means to wait for.
constexpr uint64_t kMostTimeMs = 3600000;
constexpr uint64_t kMostSamples = 100000000;

struct Named {
  const char* name;
  PlayerKind kind;
};
constexpr Named kNames[] = {{"greedy", PlayerKind::kGreedy},
                            {"random", PlayerKind::kRandom},
                            {"tee", PlayerKind::kTee},
                            {"reference", PlayerKind::kReference},
                            {"strong", PlayerKind::kStrong}};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at = text.find(separator); at != std::string::npos;
       at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

bool ParseSimple(const std::string& text, PlayerChoice& choice, std::string& error) {
  const std::vector<std::string> parts = Split(text, ':');
  const Named* named = nullptr;
  for (const Named& entry : kNames) {
    if (parts[0] == entry.name) named = &entry;
  }
  if (named == nullptr) {
    error = "unknown player '" + parts[0] +
            "' (greedy, random, tee, reference, strong or phase@K/FIRST/THEN)";
    return false;
  }
  choice = PlayerChoice{};
  choice.kind = named->kind;
  const bool timed = named->kind == PlayerKind::kReference || named->kind == PlayerKind::kStrong;
  if (timed) choice.timeMs = search::kDefaultDecisionMs;
  if (named->kind == PlayerKind::kStrong) choice.samples = kSelfPlayStrongSamples;
  for (size_t i = 1; i < parts.size(); ++i) {
    const size_t equals = parts[i].find('=');
    const std::string key = parts[i].substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : parts[i].substr(equals + 1);
    const std::string where = "'" + parts[i] + "' in '" + text + "'";
    if (timed && key == "time") {
      if (!command_line::ReadWholeNumber(value, 1, kMostTimeMs, choice.timeMs)) {
        error = "bad time " + where + ": milliseconds from 1 to " + std::to_string(kMostTimeMs);
        return false;
      }
    } else if (named->kind == PlayerKind::kStrong && parts[i] == "foresight") {
      choice.foresight = true;
    } else if (named->kind == PlayerKind::kStrong && key == "samples") {
      if (!command_line::ReadWholeNumber(value, 0, kMostSamples, choice.samples)) {
        error = "bad samples " + where + ": a count from 0 (by time only) to " +
                std::to_string(kMostSamples);
        return false;
      }
    } else if (named->kind == PlayerKind::kStrong && key == "from") {
      uint64_t from = 0;
      if (!command_line::ReadWholeNumber(value, 0, 15, from)) {
        error = "bad first searched shot " + where + ": a shot number from 0 to 15";
        return false;
      }
      choice.searchFrom = static_cast<int>(from);
    } else if (named->kind == PlayerKind::kStrong && key == "eval") {
      if (!search::strong::EvaluationNamed(value, choice.evaluation)) {
        error = "bad evaluation " + where + ": table or learned";
        return false;
      }
    } else {
      error = "unknown setting " + where + " (" +
              (named->kind == PlayerKind::kStrong
                   ? "strong takes samples=N, time=MS, eval=E, from=K and foresight"
               : named->kind == PlayerKind::kReference ? "reference takes time=MS"
                                                       : parts[0] + " takes none") +
              ")";
      return false;
    }
  }
  return true;
}

// Hands each decision the player's own time, whatever the caller offers.
class TimedPlayer final : public engine::Player {
 public:
  TimedPlayer(std::unique_ptr<engine::Player> player, uint64_t timeMs)
      : player_(std::move(player)), timeMs_(timeMs) {}
  void NewGame() override { player_->NewGame(); }
  ShotVec Decide(const GameState& state, uint64_t) override {
    return player_->Decide(state, timeMs_);
  }

 private:
  std::unique_ptr<engine::Player> player_;
  uint64_t timeMs_;
};

// The reference search keeps the seed of the decision under way in one place
// for the whole process, so its decisions take turns.
class TakingTurnsPlayer final : public engine::Player {
 public:
  explicit TakingTurnsPlayer(std::unique_ptr<engine::Player> player) : player_(std::move(player)) {}
  void NewGame() override { player_->NewGame(); }
  ShotVec Decide(const GameState& state, uint64_t timeMs) override {
    static std::mutex turn;
    const std::lock_guard<std::mutex> lock(turn);
    return player_->Decide(state, timeMs);
  }

 private:
  std::unique_ptr<engine::Player> player_;
};

// The stronger search told each delivery's execution error before it decides.
class ForeseeingStrongPlayer final : public engine::Player, public DeliveryForesight {
 public:
  ForeseeingStrongPlayer(const search::strong::StrongSettings& settings, uint64_t timeMs)
      : player_(settings), timeMs_(timeMs) {}
  void NewGame() override { player_.NewGame(); }
  void ForeseeDelivery(uint64_t deliverySeed) override {
    player_.ForeseeNextDelivery(deliverySeed);
  }
  ShotVec Decide(const GameState& state, uint64_t) override {
    return player_.Decide(state, timeMs_);
  }

 private:
  search::strong::StrongPlayer player_;
  uint64_t timeMs_;
};

// Passes a foreseen delivery on to the phase that decides it, at the moment
// it decides, so that the other phase keeps no stale seed.
class PhasePlayer final : public engine::Player, public DeliveryForesight {
 public:
  PhasePlayer(int phaseShot, std::unique_ptr<engine::Player> first,
              std::unique_ptr<engine::Player> then)
      : phaseShot_(phaseShot), first_(std::move(first)), then_(std::move(then)) {}
  void NewGame() override {
    first_->NewGame();
    then_->NewGame();
  }
  void ForeseeDelivery(uint64_t deliverySeed) override {
    foreseen_ = true;
    foreseenSeed_ = deliverySeed;
  }
  ShotVec Decide(const GameState& state, uint64_t timeMs) override {
    engine::Player& player = state.shotNumber < phaseShot_ ? *first_ : *then_;
    if (auto* foresight = dynamic_cast<DeliveryForesight*>(&player); foresight && foreseen_) {
      foresight->ForeseeDelivery(foreseenSeed_);
    }
    foreseen_ = false;
    return player.Decide(state, timeMs);
  }

 private:
  int phaseShot_;
  bool foreseen_ = false;
  uint64_t foreseenSeed_ = 0;
  std::unique_ptr<engine::Player> first_;
  std::unique_ptr<engine::Player> then_;
};

}  // namespace

bool ParsePlayerChoice(const std::string& text, PlayerChoice& choice, std::string& error) {
  if (text.rfind(kPhasePrefix, 0) != 0) return ParseSimple(text, choice, error);
  const std::string rest = text.substr(kPhasePrefix.size());
  const size_t slash = rest.find('/');
  const size_t second = slash == std::string::npos ? slash : rest.find('/', slash + 1);
  if (second == std::string::npos) {
    error = "bad phase player '" + text + "': phase@K/FIRST/THEN";
    return false;
  }
  uint64_t shot = 0;
  if (!command_line::ReadWholeNumber(rest.substr(0, slash), 1, 15, shot)) {
    error = "bad phase shot '" + rest.substr(0, slash) + "' in '" + text +
            "': the shot number THEN plays from, 1 to 15";
    return false;
  }
  PlayerChoice first;
  PlayerChoice then;
  if (!ParseSimple(rest.substr(slash + 1, second - slash - 1), first, error) ||
      !ParsePlayerChoice(rest.substr(second + 1), then, error)) {
    error = "in phase player '" + text + "': " + error;
    return false;
  }
  choice = PlayerChoice{};
  choice.kind = PlayerKind::kPhase;
  choice.phaseShot = static_cast<int>(shot);
  choice.first = std::make_shared<const PlayerChoice>(first);
  choice.then = std::make_shared<const PlayerChoice>(then);
  return true;
}

std::string PlayerChoiceText(const PlayerChoice& choice) {
  switch (choice.kind) {
    case PlayerKind::kGreedy:
      return "greedy";
    case PlayerKind::kRandom:
      return "random";
    case PlayerKind::kTee:
      return "tee";
    case PlayerKind::kReference:
      return "reference:time=" + std::to_string(choice.timeMs);
    case PlayerKind::kStrong:
      // The table is left unsaid, so that the texts in data files written
      // before there was a choice still name the same player.
      return "strong:samples=" + std::to_string(choice.samples) +
             ":time=" + std::to_string(choice.timeMs) +
             (choice.evaluation == search::strong::Evaluation::kLearned ? ":eval=learned" : "") +
             (choice.searchFrom > 0 ? ":from=" + std::to_string(choice.searchFrom) : "") +
             (choice.foresight ? ":foresight" : "");
    case PlayerKind::kPhase:
      return "phase@" + std::to_string(choice.phaseShot) + "/" + PlayerChoiceText(*choice.first) +
             "/" + PlayerChoiceText(*choice.then);
  }
  return {};
}

std::unique_ptr<engine::Player> MakePlayer(const PlayerChoice& choice, uint64_t seed) {
  const opponents::OpponentSeed opponentSeed{true, seed};
  switch (choice.kind) {
    case PlayerKind::kGreedy:
      return std::make_unique<opponents::GreedyPlayer>(opponentSeed);
    case PlayerKind::kRandom:
      return std::make_unique<opponents::RandomPlayer>(opponentSeed);
    case PlayerKind::kTee:
      return std::make_unique<opponents::TeePlayer>();
    case PlayerKind::kReference:
      return std::make_unique<TimedPlayer>(
          std::make_unique<TakingTurnsPlayer>(
              std::make_unique<search::ReferencePlayer>(search::ReferenceOptions{true, seed})),
          choice.timeMs);
    case PlayerKind::kStrong: {
      search::strong::StrongSettings settings = search::strong::ShippedStrongSettings();
      settings.seedGiven = true;
      settings.seed = seed;
      settings.sampleBudget = choice.samples;
      settings.evaluation = choice.evaluation;
      settings.searchFromShot = choice.searchFrom;
      // One thread each: the games already fill the machine.
      settings.threads = 1;
      if (choice.foresight)
        return std::make_unique<ForeseeingStrongPlayer>(settings, choice.timeMs);
      return std::make_unique<TimedPlayer>(std::make_unique<search::strong::StrongPlayer>(settings),
                                           choice.timeMs);
    }
    case PlayerKind::kPhase:
      return std::make_unique<PhasePlayer>(choice.phaseShot,
                                           MakePlayer(*choice.first, search::MixSeed(seed, 1)),
                                           MakePlayer(*choice.then, search::MixSeed(seed, 2)));
  }
  return nullptr;
}

}  // namespace selfplay
