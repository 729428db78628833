// The page of a game: one self-contained HTML file that shows the sheet, the
// line score and every delivery, stepped through or played as an animation of
// the stones' paths.
#pragma once

#include <string>

#include "match/records/replay.h"

// Seconds between the samples of a stone's path on the page.
inline constexpr float kPagePathStep = 0.1f;

// The whole HTML document for a replayed game (paths sampled or not).
std::string GamePageHtml(const ReplayedGame& game);

// The page beside a record: its name with .html for .jsonl.
std::string GamePagePath(const std::string& recordPath);

// Replays the record and writes its page to `pagePath`, through a temporary
// file renamed into place, so that no partial page is ever left. On failure
// `error` names the file and the line at fault.
bool WriteGamePage(const std::string& recordPath, const std::string& pagePath, std::string& error);
