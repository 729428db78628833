#include "selfplay/self_play_game.h"

#include <vector>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "search/seed_mix.h"

namespace selfplay {

namespace {

// Keeps the exploration's draws apart from anything else drawn from the seed.
constexpr uint64_t kExplorationStream = 0x6578706c6f7265ULL;

// Exploration stops before an end's last two stones, whose value the data
// should show as the players play them.
constexpr int kLastExploredShot = 13;

// Tells a foreseeing player the seed of the delivery it is about to decide.
void TellForesight(engine::Player* player, uint64_t deliverySeed) {
  if (auto* foresight = dynamic_cast<DeliveryForesight*>(player)) {
    foresight->ForeseeDelivery(deliverySeed);
  }
}

}  // namespace

GameState PlayerView(const match::game::GameFlow& flow) {
  GameState view{};
  view.shotNumber = flow.state.shotNumber;
  view.currentEnd = flow.state.currentEnd;
  view.lastEnd = match::game::LastEndIndex(flow);
  view.turnFlag = match::game::TurnFlagToDeliver(flow);
  for (int i = 0; i < flow.state.shotNumber && i < 16; ++i) view.stones[i] = flow.state.stones[i];
  return view;
}

ExplorationDraw DrawExploration(uint64_t seed, int end, int shot, double explore) {
  const uint64_t stream =
      search::MixSeed(search::MixSeed(seed, kExplorationStream), end * 16ULL + shot);
  ExplorationDraw draw;
  // The top 53 bits as a double in [0, 1).
  const double chance = static_cast<double>(stream >> 11) * 0x1.0p-53;
  draw.explore = shot <= kLastExploredShot && chance < explore;
  draw.pick = search::MixSeed(stream, 1);
  return draw;
}

SelfPlayGame PlaySelfPlayGame(engine::Player* const (&players)[2], const GameSetup& setup) {
  match::game::GameFlow flow;
  match::game::StartGame(flow, setup.ends, setup.hammerPlayer, setup.seed);
  for (engine::Player* player : players) player->NewGame();
  SelfPlayGame game;
  std::vector<candidates::ShotCandidate> candidates;
  match::game::GameStatus status = match::game::GameStatus::kContinue;
  while (status == match::game::GameStatus::kContinue) {
    PlayedDelivery delivery;
    delivery.before = PlayerView(flow);
    const ExplorationDraw draw =
        DrawExploration(setup.seed, flow.state.currentEnd, flow.state.shotNumber, setup.explore);
    if (draw.explore) {
      candidates.resize(static_cast<size_t>(candidates::kCandidateCapacity));
      int count = 0;
      {
        // The generator reads the calling thread's record.
        const engine::GameRecordHeld held(delivery.before);
        count = candidates::GenerateCandidates(candidates.data());
      }
      candidates::MakeCandidateShot(candidates[draw.pick % static_cast<uint64_t>(count)],
                                    &delivery.shot);
      delivery.explored = true;
    } else {
      engine::Player* player = players[match::game::PlayerToDeliver(flow)];
      TellForesight(player, match::game::DeliverySeed(setup.seed, flow.state.currentEnd,
                                                      flow.state.shotNumber));
      // The time is the player's own (see MakePlayer); nothing waits on it here.
      delivery.shot = player->Decide(delivery.before, 0);
    }
    const match::game::DeliveryResult result =
        match::game::SimulateShot(flow, delivery.shot, setup.noise);
    game.deliveries.push_back(delivery);
    if (result.endClosed) status = match::game::FinishEnd(flow, result.endScoreA);
  }
  game.score = flow.score;
  game.winner = status == match::game::GameStatus::kDrawn ? -1 : match::game::Leader(flow.score);
  return game;
}

int HammerPlayer(const match::game::LineScore& score, int end) {
  return 1 - score.endFirst[end];
}

int LeadBefore(const match::game::LineScore& score, int player, int end) {
  int lead = 0;
  for (int e = 0; e < end; ++e) lead += score.endPoints[e][player] - score.endPoints[e][1 - player];
  return lead;
}

}  // namespace selfplay
