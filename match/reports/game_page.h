// The page of a game: one self-contained HTML file that shows the sheet, the
// line score and every delivery, stepped through or played as an animation of
// the stones' paths.
#pragma once

#include <string>
#include <vector>

#include "match/records/record_json.h"
#include "match/records/replay.h"

namespace match::reports {

// Seconds between the samples of a stone's path on the page.
inline constexpr float kPagePathStep = 0.1f;

// The sheet shown reaches from behind the back line to beyond the far hog
// line, this far along it (metres), unless a stone lies farther.
inline constexpr double kPageViewBottomY = 12.0;

// The chance that the side with the hammer wins the game, from the position a
// delivery left (shot number 16 after an end's last stone) and that side's
// points minus the other's before the end. The page graphs it when a program
// gives it one: the evaluation is the search's, which this folder may not use.
using HammerWinChanceFn = double (*)(const GameState& position, int hammerLead);

// Player 1's chance of winning after each delivery of the game, by
// `winChance`, with the game's own score and hammer.
std::vector<double> PlayerOneWinChances(const records::ReplayedGame& game,
                                        HammerWinChanceFn winChance);

// The whole HTML document for a replayed game (paths sampled or not), with
// the graph of the chances of winning when `winChance` is given.
std::string GamePageHtml(const records::ReplayedGame& game, HammerWinChanceFn winChance = nullptr);

// The page beside a record: its name with .html for .jsonl.
std::string GamePagePath(const std::string& recordPath);

// Replays the record and writes its page to `pagePath`, through a temporary
// file renamed into place, so that no partial page is ever left. On failure
// `error` names the file and the line at fault.
bool WriteGamePage(const std::string& recordPath, const std::string& pagePath, std::string& error,
                   HammerWinChanceFn winChance = nullptr);

// The page's parts, which the browser's game (web/) draws with too:
//
// the sheet as an SVG element (id "sheet", in centimetres) from behind the
// house to `bottom` metres, with an empty group "stones" for the stones;
std::string GamePageSheet(double bottom);
// a stone's path as [slot, leftPlay, [t, x, y, ...]] in centiseconds and
// centimetres, from the last sample before it comes into view at `bottom`.
records::RecordJson GamePageStonePath(const game::DeliveryMotion& motion, int slot, double bottom);

}  // namespace match::reports
