// The foreseeing player: what it foresees is the delivery the game makes, and
// at an end's last stone it picks the best of what its candidates would do.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/library_binding.h"
#include "match/game/game_flow.h"
#include "opponents/greedy_player.h"
#include "search/simulate_shot.h"
#include "search/strong/strong_search.h"
#include "selfplay/player_choice.h"
#include "selfplay/self_play_game.h"
#include "selfplay_test_support.h"
#include "tests/search/busy_end.h"

using namespace engine;
using namespace match::game;
using namespace opponents;
using namespace search;
using namespace search::strong;
using namespace selfplay;

namespace {

bool SameStones(const GameState& a, const GameState& b, int count) {
  for (int i = 0; i < count; ++i) {
    if (a.stones[i].x != b.stones[i].x || a.stones[i].y != b.stones[i].y) return false;
  }
  return true;
}

// The search's delivery (its SimulateShot, seeded as foreseen) and the game
// flow's, over a whole end of greedy shots, stone for stone and the end's score.
TEST(Foresight, TheSearchsDeliveryIsTheGameFlowsForTheSameSeed) {
  GreedyPlayer greedy(OpponentSeed{true, 5});
  GameFlow flow;
  StartGame(flow, 2, 1, 4242);
  for (int shot = 0; shot < 16; ++shot) {
    const GameState view = PlayerView(flow);
    const ShotVec chosen = greedy.Decide(view, 0);
    GameState foreseen = view;
    seedSimulator(DeliverySeed(flow.seed, view.currentEnd, shot));
    SimulateShot(foreseen, chosen);
    const DeliveryResult played = SimulateShot(flow, chosen, kSimulationNoise);
    SCOPED_TRACE(shot);
    if (shot < 15) {
      EXPECT_TRUE(SameStones(foreseen, played.after, shot + 1));
    } else {
      // The search's record of a closed end keeps its score, not its stones.
      ASSERT_TRUE(played.endClosed);
      EXPECT_EQ(foreseen.endScores[view.currentEnd], played.endScoreA);
    }
  }
}

// What `shot` leaves at the last stone of `position` when its execution is
// the one `foreseen` seeds, as the search's judge values it.
double ForeseenOutcome(const GameState& position, const ShotVec& shot, uint64_t foreseen) {
  seedSimulator(foreseen);
  GameState after = position;
  SimulateShot(after, shot);
  return StrongJudge(position, 0, Evaluation::kStandingTable).Value(after);
}

// The best such outcome among the search's candidates.
double BestForeseenOutcome(const GameState& position, uint64_t foreseen) {
  double best = 0.0;
  for (const ShotVec& shot : StrongCandidateShots(position)) {
    best = std::max(best, ForeseenOutcome(position, shot, foreseen));
  }
  return best;
}

// With the execution known, every sample of a last stone is the candidate's
// exact outcome, so the search's answer is the best of them.
TEST(Foresight, AtTheLastStoneTheChosenShotDoesBestOfTheCandidates) {
  const GameState position = BusyEnd(15);
  for (const uint64_t foreseen : {11ULL, 12ULL, 13ULL, 14ULL, 15ULL}) {
    SCOPED_TRACE(foreseen);
    const double best = BestForeseenOutcome(position, foreseen);
    StrongSettings settings = ShippedStrongSettings();
    settings.seedGiven = true;
    settings.seed = 3;
    settings.sampleBudget = 300;
    settings.threads = 1;
    settings.foresee = true;
    settings.foreseenSeed = foreseen;
    EXPECT_EQ(ForeseenOutcome(position, SearchStrong(position, 0, settings, 0, nullptr), foreseen),
              best);
  }
}

// Records what the harness foresees for it and checks it against the next
// position the game shows.
class ForeseeingTee final : public Player, public DeliveryForesight {
 public:
  void ForeseeDelivery(uint64_t deliverySeed) override {
    told_ = true;
    seed_ = deliverySeed;
  }
  ShotVec Decide(const GameState& state, uint64_t) override {
    EXPECT_TRUE(told_) << "decided without a foreseen delivery";
    told_ = false;
    ShotVec shot{};
    createShot(TeeTarget(0), &shot);
    GameState after = state;
    seedSimulator(seed_);
    SimulateShot(after, shot);
    foreseen.push_back(after);
    return shot;
  }
  std::vector<GameState> foreseen;

 private:
  bool told_ = false;
  uint64_t seed_ = 0;
};

TEST(Foresight, TheHarnessForeseesEachDeliveryTheGameMakes) {
  ForeseeingTee foreseeing;
  GreedyPlayer greedy(OpponentSeed{true, 9});
  Player* const players[2] = {&foreseeing, &greedy};
  GameSetup setup;
  setup.ends = 1;
  setup.seed = 777;
  const SelfPlayGame game = PlaySelfPlayGame(players, setup);
  size_t checked = 0;
  for (size_t i = 0; i + 1 < game.deliveries.size(); ++i) {
    const GameState& before = game.deliveries[i].before;
    const bool foreseeingDelivers = (before.shotNumber % 2 == 0) == (setup.hammerPlayer == 1);
    if (!foreseeingDelivers || before.shotNumber == 15) continue;
    ASSERT_LT(checked, foreseeing.foreseen.size());
    const GameState& next = game.deliveries[i + 1].before;
    EXPECT_TRUE(SameStones(foreseeing.foreseen[checked], next, next.shotNumber))
        << "shot " << before.shotNumber;
    ++checked;
  }
  EXPECT_EQ(checked, 8u);
}

// The player a run names, told the delivery's seed as the harness tells it,
// through a phase player to the phase that decides the last stone.
TEST(Foresight, ThePlayerANameMakesIsToldTheSeedThroughItsPhase) {
  PlayerChoice choice;
  std::string error;
  ASSERT_TRUE(ParsePlayerChoice("phase@15/tee/strong:samples=300:foresight", choice, error))
      << error;
  const GameState position = BusyEnd(15);
  for (const uint64_t foreseen : {21ULL, 22ULL, 23ULL}) {
    SCOPED_TRACE(foreseen);
    const double best = BestForeseenOutcome(position, foreseen);
    const auto player = MakePlayer(choice, 4);
    auto* foresight = dynamic_cast<DeliveryForesight*>(player.get());
    ASSERT_NE(foresight, nullptr);
    foresight->ForeseeDelivery(foreseen);
    EXPECT_EQ(ForeseenOutcome(position, player->Decide(position, 0), foreseen), best);
  }
}

}  // namespace
