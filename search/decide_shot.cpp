#include "engine/game_state.h"
#include "engine/reply.h"
#include "search/reference_player.h"
#include "search/search.h"

void DecideShot() {
  ReferencePlayer player;
  WriteShotReply(player.Decide(gameState, kDefaultDecisionMs));
}
