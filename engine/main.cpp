// curling-engine: the command loop, with the search deciding each move.
#include "engine/command_loop.h"
#include "search/search.h"

int main() {
  return CommandLoop(DecideShot);
}
