// Fuzzes what reads a game record back: the replay (--replay), the reading
// that resuming and merging a match do, and the JSON under both. Whatever
// the file holds, they answer with a reason that names it, never a crash;
// and any JSON line read is written back to text that reads the same.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <stdlib.h>

#include "match/records/record_json.h"
#include "match/records/record_reader.h"
#include "match/records/replay.h"

using namespace match::records;

namespace {

std::string recordPath;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckLine(std::string_view line) {
  RecordJson value;
  std::string error;
  if (!ParseJsonText(line, value, error)) {
    Check(!error.empty());
    return;
  }
  RecordJson again;
  Check(ParseJsonText(JsonText(value), again, error));
  Check(again == value);
  std::string bytes;
  if (ReadJsonBytes(&value, bytes)) Check(JsonBytes(bytes) == value);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/record-fuzz-XXXXXX";
  Check(mkdtemp(pattern) != nullptr);
  recordPath = std::string(pattern) + "/game-001.jsonl";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    CheckLine(text.substr(start, end - start));
    start = end + 1;
  }
  std::FILE* file = std::fopen(recordPath.c_str(), "wb");
  Check(file != nullptr);
  Check(std::fwrite(data, 1, size, file) == size);
  Check(std::fclose(file) == 0);

  std::string report;
  ReplayRecord(recordPath, report);
  Check(report.rfind(recordPath + ": ", 0) == 0 && report.back() == '\n');
  const RecordedGame game = ReadGameRecord(recordPath);
  Check((game.status == RecordStatus::kComplete) == game.problem.empty());
  return 0;
}
