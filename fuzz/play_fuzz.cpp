// Fuzzes what the play page hands the module: one request a line, each read
// and, when it reads, carried out on one game, whose state must then still
// make sense. Whatever the lines hold, every reply is JSON, never a crash.
// Decisions are read but carried out only with a small sample budget, so
// that a run spends its time on the reading and the game.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "match/records/record_json.h"
#include "web/play_game.h"
#include "web/play_requests.h"

using namespace match::game;
using namespace match::records;
using namespace web;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  PlayGame game;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    PlayRequest request;
    std::string problem;
    if (!ReadPlayRequest(line, request, problem)) {
      Check(!problem.empty());
      continue;
    }
    if (request.op == PlayOp::kDecide &&
        (request.decide.samples == 0 || request.decide.samples > 64)) {
      continue;
    }
    RecordJson reply;
    Check(ParseJsonText(AnswerPlayRequest(game, request), reply, problem));
    Check(reply.is_object());
    if (game.Started()) {
      const GameState& state = game.Flow().state;
      Check(state.shotNumber >= 0 && state.shotNumber < 16);
      Check(game.Flow().score.endsPlayed <= kMaxEnds);
      Check(game.Over() || state.currentEnd < kMaxEnds);
    }
  }
  return 0;
}
