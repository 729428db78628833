// Re-executing a game from its record: every reply is parsed again and
// executed with the same seed, and every position, release and end score
// must come out as recorded.
#pragma once

#include <string>

// Replays the record at `path`. Returns true when everything agrees; `report`
// says what was checked, or where the first disagreement is.
bool ReplayRecord(const std::string& path, std::string& report);
