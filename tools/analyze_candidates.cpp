// curling-analyze candidates: the candidate list of each position read.
#include <cstdio>
#include <iostream>
#include <string>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "tools/analyze_commands.h"
#include "tools/position_text.h"

namespace tools {

int RunCandidatesCommand() {
  static candidates::ShotCandidate list[candidates::kCandidateCapacity];
  bool failed = false;
  std::string line;
  for (long lineNumber = 1; std::getline(std::cin, line); ++lineNumber) {
    if (IsCommentOrBlankLine(line)) continue;
    std::string error;
    if (!ParsePositionLine(line, engine::gameState, error)) {
      std::fprintf(stderr, "curling-analyze candidates: line %ld: %s\n", lineNumber, error.c_str());
      failed = true;
      continue;
    }
    const int count = candidates::GenerateCandidates(list);
    for (int i = 0; i < count; ++i) {
      const candidates::ShotCandidate& candidate = list[i];
      std::printf("%.9g %.9g %d %d\n", static_cast<double>(candidate.target.x),
                  static_cast<double>(candidate.target.y), candidate.target.spin, candidate.power);
    }
    std::printf("\n");
  }
  if (std::cin.bad()) {
    std::fprintf(stderr, "curling-analyze candidates: cannot read the input\n");
    failed = true;
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fprintf(stderr, "curling-analyze candidates: cannot write the output\n");
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace tools
