// The WebAssembly module's entry point for the page and its engine worker:
// one request in, its reply out, as JSON text (web/play_requests.h). The
// physics library's own C functions are exported beside it under their names.
#include <string>

#include <emscripten.h>

#include "web/play_game.h"
#include "web/play_requests.h"

// The reply stays valid until the next request; JavaScript copies it out at
// once (UTF8ToString). The module runs on one thread.
extern "C" EMSCRIPTEN_KEEPALIVE const char* PlayRequest(const char* request) {
  static web::PlayGame game;
  static std::string reply;
  reply = web::HandlePlayRequest(game, request);
  return reply.c_str();
}
