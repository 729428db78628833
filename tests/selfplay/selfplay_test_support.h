// What the self-play tests share: the linked simulator bound once, runs of
// small players in a scratch directory, and files read whole.
#pragma once

#include <string>

#include "selfplay/data_run.h"
#include "selfplay/run_settings.h"

// Settings of a small run: `first` against `second`, two ends, seeded.
selfplay::RunSettings SmallRun(const std::string& first, const std::string& second, int games,
                               uint64_t seed);

// A fresh file path in a scratch directory of this test.
std::string ScratchPath(const std::string& name);

std::string ReadBytes(const std::string& path);

// Runs the data command; fails the test on an error.
selfplay::DataOutcome WriteData(const selfplay::RunSettings& settings, const std::string& out,
                                int threads = 2);
