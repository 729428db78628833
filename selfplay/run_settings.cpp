#include "selfplay/run_settings.h"

#include "match/engines/number_text.h"
#include "search/seed_mix.h"

namespace selfplay {

match::records::MatchIdentity RunIdentity(const RunSettings& settings) {
  match::records::MatchIdentity identity;
  identity.names[0] = PlayerChoiceText(settings.players[0]);
  identity.names[1] = PlayerChoiceText(settings.players[1]);
  identity.ends = settings.ends;
  identity.noise = settings.noise;
  identity.moveTimeMs = 0;
  identity.firstHammer = 1;
  identity.seed = settings.seed;
  identity.games = settings.games;
  identity.paired = true;
  return identity;
}

std::string SettingsText(const RunSettings& settings) {
  return "player1=" + PlayerChoiceText(settings.players[0]) +
         "\nplayer2=" + PlayerChoiceText(settings.players[1]) +
         "\ngames=" + std::to_string(settings.games) + "\nends=" + std::to_string(settings.ends) +
         "\nnoise=" + match::engines::ShortestFloat(settings.noise) +
         "\nexplore=" + match::engines::ShortestFloat(settings.explore) +
         "\nseed=" + std::to_string(settings.seed) + "\nshard=" + std::to_string(settings.shard) +
         "/" + std::to_string(settings.shards) + "\n";
}

GameSetup SetupOf(const RunSettings& settings, int number) {
  const match::records::PlannedGame planned =
      match::records::PlanGame(RunIdentity(settings), number);
  GameSetup setup;
  setup.ends = settings.ends;
  setup.hammerPlayer = planned.hammerPlayer;
  setup.noise = settings.noise;
  setup.explore = settings.explore;
  setup.seed = planned.seed;
  return setup;
}

std::vector<int> RunGames(const RunSettings& settings) {
  return match::records::ShardGames(RunIdentity(settings), settings.shard, settings.shards);
}

GamePlayers MakeGamePlayers(const RunSettings& settings, uint64_t gameSeed) {
  GamePlayers made;
  // Streams 0x51 and 0x52: apart from the exploration's and the phases'.
  for (int p = 0; p < 2; ++p) {
    made.players[p] = MakePlayer(settings.players[p], search::MixSeed(gameSeed, 0x51 + p));
  }
  return made;
}

}  // namespace selfplay
