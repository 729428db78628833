#include "search/engine_options.h"

#include "command_line/option_table.h"
#include "search/search_settings.h"

namespace search {

namespace {

// A sample takes well under a millisecond: this many is hours at most.
constexpr uint64_t kMostSamples = 100000000;

command_line::OptionTable EngineOptionTable(EngineOptions& options) {
  command_line::OptionTable table;
  table.helpColumn = 18;
  table.options = {
      command_line::Choice<SearchKind>(
          "--search", "KIND",
          {{"reference", SearchKind::kReference}, {"strong", SearchKind::kStrong}}, options.search,
          "the search that decides each shot (default {default}):\n"
          "reference  five bandit runs of random playouts that vote\n"
          "strong     one search over the whole time: successive halving\n"
          "           over the candidates, each shot followed by the best\n"
          "           replies to it and valued by its chance of winning\n"
          "           the game"),
      command_line::WholeNumber(
          "--time-ms", "MS", kShortestDecisionMs, kLongestDecisionMs, options.timeMs,
          "time per decision in milliseconds, {low} to {high} (default {default};\n"
          "the reference search divides it among its five runs)")
          .Default(std::to_string(kDefaultDecisionMs))
          .Reason("milliseconds per decision, {low} to {high}")
          .Given(options.timeGiven),
      command_line::WholeNumber("--seed", "N", 0, command_line::kLargestWholeNumber, options.seed,
                                "seed of every random choice of a decision, so that the same\n"
                                "position gives the same shot (default: fresh seeds); the\n"
                                "reference search still stops by the clock")
          .Given(options.seedGiven),
      command_line::WholeNumber("--samples", "N", 1, kMostSamples, options.samples,
                                "the strong search only: stop after N samples instead of by\n"
                                "the clock, so that a decision does not depend on the load"),
      command_line::Choice<strong::Evaluation>(
          "--evaluation", "E",
          {{"table", strong::Evaluation::kStandingTable},
           {"learned", strong::Evaluation::kLearned}},
          options.evaluation,
          "the strong search only: how it values a position in the\n"
          "middle of an end (default {default}):\n"
          "table    how often each end score followed the shot number\n"
          "         and the end's score as it stands, in recorded games\n"
          "learned  a network trained from self-play, which reads\n"
          "         where every stone lies")
          .Given(options.evaluationGiven),
  };
  return table;
}

}  // namespace

bool ParseEngineOptions(int argc, const char* const* argv, SearchKind defaultSearch,
                        EngineOptions& options, std::string& error) {
  options = EngineOptions{};
  options.search = defaultSearch;
  command_line::ParsedCommandLine parsed;
  if (!command_line::ParseCommandLine(EngineOptionTable(options), argc, argv, parsed, error))
    return false;
  options.help = parsed.help;
  if (options.help) return true;
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
  EngineOptions options;
  options.search = defaultSearch;
  const command_line::OptionTable table = EngineOptionTable(options);
  const std::string head = "usage: " + program + " ";
  return head + command_line::Synopsis(table, head.size(), 7, 80) +
         "\n"
         "\n"
         "A curling player for a match server: commands on standard input (NEWGAME,\n"
         "ISREADY, POSITION, SETSTATE, GO), replies on standard output.\n"
         "\n"
         "options:\n" +
         command_line::OptionsHelp(table) +
         "\n"
         "Exit status: 0 when input ends, 1 when the physics library cannot be loaded,\n"
         "2 for bad options.\n";
}

}  // namespace search
