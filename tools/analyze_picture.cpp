// curling-analyze picture: an SVG picture of each position read, the same
// drawing the match runner makes of every end.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "drawing/position_svg.h"
#include "tools/analyze_commands.h"
#include "tools/position_text.h"

namespace tools {

namespace {

constexpr const char* kName = "curling-analyze picture";

drawing::PositionPicture PictureOf(const GameState& state, long lineNumber) {
  drawing::PositionPicture picture;
  for (int i = 0; i < 16; ++i) picture.stones[i] = state.stones[i];
  picture.delivered = state.shotNumber;
  picture.title = "Position of line " + std::to_string(lineNumber) + ", shot number " +
                  std::to_string(state.shotNumber);
  return picture;
}

}  // namespace

int RunPictureCommand(const std::string& directory) {
  std::vector<std::string> pictures;
  bool failed = false;
  std::string line;
  for (long lineNumber = 1; std::getline(std::cin, line); ++lineNumber) {
    if (IsCommentOrBlankLine(line)) continue;
    GameState state{};
    std::string error;
    if (!ParsePositionLine(line, state, error)) {
      std::fprintf(stderr, "%s: line %ld: %s\n", kName, lineNumber, error.c_str());
      failed = true;
      continue;
    }
    pictures.push_back(drawing::DrawPositionSvg(PictureOf(state, lineNumber)));
    if (directory.empty()) continue;
    const std::string path = directory + "/position-" + std::to_string(lineNumber) + ".svg";
    std::ofstream file(path);
    file << pictures.back();
    if (!file.flush()) {
      std::fprintf(stderr, "%s: cannot write %s\n", kName, path.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  // Without a directory the picture goes to standard output, so one position only.
  if (directory.empty()) {
    if (pictures.size() != 1) {
      std::fprintf(stderr, "%s: without --out DIR give exactly one position (got %zu)\n", kName,
                   pictures.size());
      return pictures.empty() || failed ? 1 : 2;
    }
    std::fputs(pictures.front().c_str(), stdout);
  }
  if (std::fflush(stdout) != 0) {
    std::fprintf(stderr, "%s: cannot write the output\n", kName);
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace tools
