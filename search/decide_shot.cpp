#include "engine/game_state.h"
#include "engine/reply.h"
#include "search/reference_player.h"
#include "search/search.h"

namespace search {

void DecideShot() {
  ReferencePlayer player;
  engine::WriteShotReply(player.Decide(engine::gameState, kDefaultDecisionMs));
}

}  // namespace search
