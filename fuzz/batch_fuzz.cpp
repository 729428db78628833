// Fuzzes what the Python module's simulate_batch hands the library: any
// stones (off the sheet, on top of each other, NaN), shot numbers, shots and
// noise. A batch is refused with a message that names the argument and the
// item, or delivered without a crash: on one thread and on two alike, item by
// item as the same deliveries one by one, every stone left finite.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "python/batch_simulation.h"
#include "simulator/curling_api.h"

using namespace python;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Reads the input a byte or two at a time, zeros once it is used up.
struct Bytes {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
};

// Mostly metres on and around the sheet, now and then a value no caller
// should hand in.
float Coordinate(Bytes& bytes) {
  const uint16_t word = bytes.Word();
  if (word == 0xFFFF) return std::numeric_limits<float>::quiet_NaN();
  if (word == 0xFFFE) return std::numeric_limits<float>::infinity();
  if (word == 0xFFFD) return std::numeric_limits<float>::denorm_min();
  return static_cast<float>(static_cast<int16_t>(word)) / 1000.0f;
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes bytes{data, size};
  const size_t count = bytes.Byte() % 24;
  const uint8_t noiseByte = bytes.Byte();
  BatchInput input;
  input.count = count;
  input.noise = noiseByte == 255   ? std::numeric_limits<float>::quiet_NaN()
                : noiseByte == 254 ? -0.1f
                                   : static_cast<float>(noiseByte) / 50.0f;
  input.seed = bytes.Word();
  std::vector<float> stones(count * 32);
  std::vector<int64_t> shotNumbers(count);
  std::vector<float> shots(count * 3);
  for (size_t i = 0; i < count; ++i) {
    shotNumbers[i] = static_cast<int64_t>(bytes.Byte() % 20) - 2;
    // Stones only in the slots already delivered, unless the input says otherwise.
    const bool anywhere = bytes.Byte() == 0;
    for (size_t c = 0; c < 32; ++c) {
      const float value = Coordinate(bytes);
      stones[i * 32 + c] = anywhere || static_cast<int64_t>(c / 2) < shotNumbers[i] ? value : 0.0f;
    }
    shots[i * 3] = static_cast<float>(static_cast<int16_t>(bytes.Word())) / 4000.0f;
    shots[i * 3 + 1] = static_cast<float>(static_cast<int16_t>(bytes.Word())) / 4000.0f;
    const uint8_t spin = bytes.Byte();
    shots[i * 3 + 2] = spin < 120 ? 0.0f : spin < 240 ? 1.0f : 0.5f;
  }
  input.stones = stones.data();
  input.shotNumbers = shotNumbers.data();
  input.shots = shots.data();

  std::vector<float> after[2] = {std::vector<float>(count * 32), std::vector<float>(count * 32)};
  std::vector<int32_t> scores[2] = {std::vector<int32_t>(count), std::vector<int32_t>(count)};
  const std::string problem = CheckBatch(input);
  std::string error;
  const bool delivered = SimulateBatch(input, 1, {after[0].data(), scores[0].data()}, error);
  if (!problem.empty()) {
    Check(StartsWith(problem, "stones[") || StartsWith(problem, "shot_numbers[") ||
          StartsWith(problem, "shots[") || StartsWith(problem, "noise: "));
    Check(!delivered && error == problem);
    return 0;
  }
  Check(delivered && error.empty());
  Check(SimulateBatch(input, 2, {after[1].data(), scores[1].data()}, error));
  Check(after[0] == after[1]);
  Check(scores[0] == scores[1]);
  for (const float value : after[0]) Check(std::isfinite(value));

  // One by one, from the seed of the batch's only block.
  if (input.noise > 0.0f) SeedSimulator(input.seed);
  for (size_t i = 0; i < count; ++i) {
    GameState state{};
    state.shotNumber = static_cast<int32_t>(shotNumbers[i]);
    std::memcpy(&state.stones[0].x, &stones[i * 32], sizeof state.stones);
    const ShotVec shot{
        shots[i * 3], shots[i * 3 + 1], static_cast<uint8_t>(shots[i * 3 + 2]), {0, 0, 0}};
    SimulationReport report{};
    Check(SimulationWithReport(&state, shot, input.noise, &report) == kSimOk);
    Check(std::memcmp(&report.after.stones[0].x, &after[0][i * 32], sizeof state.stones) == 0);
    Check(GetScore(&report.after) == scores[0][i]);
  }
  return 0;
}
