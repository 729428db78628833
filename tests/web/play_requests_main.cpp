// play-requests: the page's requests to the module, answered by the same code
// built natively, one JSON request a line on standard input, one reply a line
// on standard output. The web tests hand the same lines to the WebAssembly
// module under Node and compare the replies.
#include <iostream>
#include <string>

#include "web/play_game.h"
#include "web/play_requests.h"

using namespace web;

int main() {
  PlayGame game;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::cout << HandlePlayRequest(game, line) << '\n';
  }
  return 0;
}
