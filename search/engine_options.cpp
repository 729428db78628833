#include "search/engine_options.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "search/search_settings.h"

namespace {

// A sample takes well under a millisecond: this many is hours at most.
constexpr uint64_t kMostSamples = 100000000;

bool Apply(const std::string& name, const std::string& value, EngineOptions& options,
           std::string& error) {
  if (name == "--search") {
    if (value == "reference") {
      options.search = SearchKind::kReference;
    } else if (value == "strong") {
      options.search = SearchKind::kStrong;
    } else {
      error = "invalid value '" + value + "' for --search (reference or strong)";
      return false;
    }
  } else if (name == "--time-ms") {
    if (!ReadUnsignedOption(value, options.timeMs) || options.timeMs < kShortestDecisionMs ||
        options.timeMs > kLongestDecisionMs) {
      error = "invalid value '" + value + "' for --time-ms (milliseconds per decision, " +
              std::to_string(kShortestDecisionMs) + " to " + std::to_string(kLongestDecisionMs) +
              ")";
      return false;
    }
    options.timeGiven = true;
  } else if (name == "--samples") {
    if (!ReadUnsignedOption(value, options.samples) || options.samples == 0 ||
        options.samples > kMostSamples) {
      error =
          "invalid value '" + value + "' for --samples (1 to " + std::to_string(kMostSamples) + ")";
      return false;
    }
  } else if (name == "--evaluation") {
    if (!EvaluationNamed(value, options.evaluation)) {
      error = "invalid value '" + value + "' for --evaluation (table or learned)";
      return false;
    }
    options.evaluationGiven = true;
  } else if (name == "--seed") {
    if (!ReadUnsignedOption(value, options.seed)) {
      error = "invalid value '" + value + "' for --seed (a whole number from 0 to 2^64-1)";
      return false;
    }
    options.seedGiven = true;
  }
  return true;
}

}  // namespace

bool ReadUnsignedOption(const std::string& text, uint64_t& value) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(text.c_str(), &end, 10);
  return errno == 0 && end == text.c_str() + text.size();
}

bool ParseEngineOptions(int argc, const char* const* argv, SearchKind defaultSearch,
                        EngineOptions& options, std::string& error) {
  options = EngineOptions{};
  options.search = defaultSearch;
  for (int i = 0; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      continue;
    }
    std::string name = argument;
    std::string value;
    bool inline_value = false;
    if (const size_t equals = argument.find('='); equals != std::string::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
      inline_value = true;
    }
    if (name != "--search" && name != "--time-ms" && name != "--seed" && name != "--samples" &&
        name != "--evaluation") {
      error = "unknown argument '" + argument + "'";
      return false;
    }
    if (!inline_value) {
      if (i + 1 >= argc) {
        error = "missing value for " + name;
        return false;
      }
      value = argv[++i];
    }
    if (!Apply(name, value, options, error)) return false;
  }
  if (options.samples != 0 && options.search != SearchKind::kStrong) {
    error = "--samples applies to the strong search only";
    return false;
  }
  if (options.evaluationGiven && options.search != SearchKind::kStrong) {
    error = "--evaluation applies to the strong search only";
    return false;
  }
  return true;
}

std::string EngineUsage(const std::string& program, SearchKind defaultSearch) {
  const bool strong = defaultSearch == SearchKind::kStrong;
  return "usage: " + program +
         " [--search reference|strong] [--time-ms MS] [--seed N] [--samples N]\n"
         "       [--evaluation table|learned]\n"
         "\n"
         "A curling player for a match server: commands on standard input (NEWGAME,\n"
         "ISREADY, POSITION, SETSTATE, GO), replies on standard output.\n"
         "\n"
         "options:\n"
         "  --search KIND   the search that decides each shot (default " +
         (strong ? "strong" : "reference") +
         "):\n"
         "                  reference  five bandit runs of random playouts that vote\n"
         "                  strong     one search over the whole time: successive halving\n"
         "                             over the candidates, each shot followed by the best\n"
         "                             replies to it and valued by its chance of winning\n"
         "                             the game\n"
         "  --time-ms MS    time per decision in milliseconds, " +
         std::to_string(kShortestDecisionMs) + " to " + std::to_string(kLongestDecisionMs) +
         " (default " + std::to_string(kDefaultDecisionMs) +
         ";\n"
         "                  the reference search divides it among its five runs)\n"
         "  --seed N        seed of every random choice of a decision, so that the same\n"
         "                  position gives the same shot (default: fresh seeds); the\n"
         "                  reference search still stops by the clock\n"
         "  --samples N     the strong search only: stop after N samples instead of by\n"
         "                  the clock, so that a decision does not depend on the load\n"
         "  --evaluation E  the strong search only: how it values a position in the\n"
         "                  middle of an end (default table):\n"
         "                  table    how often each end score followed the shot number\n"
         "                           and the end's score as it stands, in recorded games\n"
         "                  learned  a network trained from self-play, which reads\n"
         "                           where every stone lies\n"
         "  --help          this text\n"
         "\n"
         "Exit status: 0 when input ends, 1 when the physics library cannot be loaded,\n"
         "2 for bad options.\n";
}
