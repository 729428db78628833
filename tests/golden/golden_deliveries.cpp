#include "tests/golden/golden_deliveries.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <random>

namespace golden {
namespace {

// FNV-1a over the bytes of every record added.
struct Digest {
  uint64_t value = 14695981039346656037ULL;
  void Add(const GameState& state) {
    unsigned char bytes[sizeof(GameState)];
    std::memcpy(bytes, &state, sizeof bytes);
    for (const unsigned char byte : bytes) {
      value ^= byte;
      value *= 1099511628211ULL;
    }
  }
};

GameState EmptyEnd(int shotNumber) {
  GameState state{};
  state.shotNumber = shotNumber;
  return state;
}

ShotVec DrawTo(float x, float y, uint8_t spin) {
  ShotVec shot{};
  CreateShot(ShotPos{x, y, spin, {}}, &shot);
  return shot;
}

ShotVec HitAt(float x, float y, uint8_t spin, float power) {
  ShotVec shot{};
  CreateHitShot(ShotPos{x, y, spin, {}}, power, &shot);
  return shot;
}

bool IsOff(StonePos p) {
  return p.x == 0.0f && p.y == 0.0f;
}

GameState CrowdedHouse() {
  GameState state = EmptyEnd(12);
  const StonePos stones[12] = {{2.375f, 4.88f}, {2.2f, 5.3f},  {2.6f, 5.1f}, {2.4f, 4.4f},
                               {1.9f, 4.9f},    {2.85f, 4.8f}, {2.3f, 6.2f}, {2.5f, 7.4f},
                               {1.6f, 5.6f},    {3.1f, 5.5f},  {2.0f, 4.2f}, {2.7f, 4.1f}};
  for (int i = 0; i < 12; ++i) state.stones[i] = stones[i];
  return state;
}

// Delivers `shot` on `state` and counts it in `run`; returns the record as
// the shot left it, before an end's close clears the sheet.
GameState Deliver(GameState& state, ShotVec shot, float noise, GoldenRun& run) {
  SimulationReport report{};
  const GameState before = state;
  run.allOk = SimulationWithReport(&state, shot, noise, &report) == kSimOk && run.allOk;
  const auto onSheet = static_cast<size_t>(before.shotNumber);
  if (std::memcmp(report.after.stones, before.stones, sizeof(StonePos) * onSheet) != 0) ++run.moved;
  return report.after;
}

GoldenRun Finish(const GameState& state, const Digest& digest, GoldenRun run) {
  run.digest = digest.value;
  run.last = state;
  return run;
}

}  // namespace

GoldenRun DrawsWithoutErrorBuildAWholeEnd() {
  // The later draws run into the earlier, and the end closes with a score.
  Digest digest;
  GoldenRun run{0, true, 0, {}};
  GameState state = EmptyEnd(0);
  for (int shot = 0; shot < 16; ++shot) {
    const float x = 1.6f + 0.1f * static_cast<float>(shot);
    const float y = 4.2f + 0.15f * static_cast<float>(shot % 7);
    digest.Add(Deliver(state, DrawTo(x, y, static_cast<uint8_t>(shot % 2)), 0.0f, run));
  }
  return Finish(state, digest, run);
}

GoldenRun HitsOfEveryPowerIntoACrowdedHouse() {
  // Gentle taps to peels, at stones in the middle and on the edges of the
  // crowd, with both spins.
  Digest digest;
  GoldenRun run{0, true, 0, {}};
  GameState state{};
  const StonePos targets[4] = {{2.2f, 5.3f}, {2.375f, 4.88f}, {3.1f, 5.5f}, {2.5f, 7.4f}};
  for (const StonePos target : targets) {
    for (int power = 1; power <= 15; power += 2) {
      for (uint8_t spin = 0; spin < 2; ++spin) {
        state = CrowdedHouse();
        digest.Add(
            Deliver(state, HitAt(target.x, target.y, spin, static_cast<float>(power)), 0.0f, run));
      }
    }
  }
  return Finish(state, digest, run);
}

GoldenRun NoisyShotsFromAFixedSeed() {
  // The generator is seeded once: the four remaining stones of the crowded
  // end, then a whole end from empty.
  Digest digest;
  GoldenRun run{0, true, 0, {}};
  SeedSimulator(20240612);
  GameState state = CrowdedHouse();
  digest.Add(Deliver(state, DrawTo(2.375f, 5.2f, 1), 0.3f, run));
  digest.Add(Deliver(state, HitAt(2.6f, 5.1f, 0, 12.0f), 0.3f, run));
  digest.Add(Deliver(state, HitAt(2.375f, 4.88f, 1, 15.0f), 0.3f, run));
  digest.Add(Deliver(state, DrawTo(2.3f, 4.9f, 0), 0.3f, run));
  for (int shot = 0; shot < 16; ++shot) {
    const float x = 2.0f + 0.05f * static_cast<float>(shot);
    const auto spin = static_cast<uint8_t>(shot % 2);
    if (shot % 3 == 2) {
      digest.Add(Deliver(state, HitAt(x, 4.9f, spin, 13.0f), 0.3f, run));
    } else {
      digest.Add(
          Deliver(state, DrawTo(x, 5.0f + 0.1f * static_cast<float>(shot % 4), spin), 0.3f, run));
    }
  }
  return Finish(state, digest, run);
}

GoldenRun WholeEndsOfRandomShots() {
  // Crowds, doubles, stones struck again and again. Each record is hashed as
  // the shot left it, an end's close included.
  Digest digest;
  GoldenRun run{0, true, 0, {}};
  SeedSimulator(97);
  std::mt19937 random(4242);
  const auto unit = [&random] { return static_cast<float>(random() % 10000) / 10000.0f; };
  GameState state{};
  for (int end = 0; end < 150; ++end) {
    state = EmptyEnd(0);
    for (int shot = 0; shot < 16; ++shot) {
      const auto spin = static_cast<uint8_t>(random() % 2);
      int inPlay[16];
      int count = 0;
      for (int i = 0; i < shot; ++i) {
        if (!IsOff(state.stones[i])) inPlay[count++] = i;
      }
      ShotVec delivery{};
      if (count > 0 && random() % 3 != 0) {
        const StonePos target = state.stones[inPlay[random() % static_cast<uint32_t>(count)]];
        const auto power = static_cast<float>(1 + random() % 15);
        delivery = HitAt(target.x, target.y, spin, power);
      } else {
        const float x = 1.3f + 2.2f * unit();
        const float y = 3.4f + 4.0f * unit();
        delivery = DrawTo(x, y, spin);
      }
      Deliver(state, delivery, 0.3f, run);
      digest.Add(state);
    }
  }
  return Finish(state, digest, run);
}

std::string DigestText(uint64_t digest) {
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, digest);
  return text;
}

}  // namespace golden
