// The records and the C interface shared by the player and the simulator
// library. Both sides see the records as raw memory, so every size and offset
// below is fixed and checked at compile time.
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(CURLING_SIMULATOR_BUILD) && defined(_WIN32)
#define CURLING_API __declspec(dllexport)
#elif defined(CURLING_SIMULATOR_BUILD)
#define CURLING_API __attribute__((visibility("default")))
#else
#define CURLING_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// A stone centre in the sheet frame: x across the sheet, y along it, metres.
struct StonePos {
  float x;
  float y;
};

// Position and state of a game. Slot i of stones holds the stone of delivery i
// of the current end; a stone not in play lies at (0, 0).
struct GameState {
  int32_t shotNumber;     // deliveries made in the current end; next is this one
  int32_t currentEnd;     // index of the end being played, from 0
  int32_t lastEnd;        // the game's last end as the server states it
  int32_t endScores[10];  // score of each finished end, positive for the side
                          // that delivered the first stone of end 0
  uint8_t turnFlag;       // 0: the side about to deliver is that side; 1: the other
  uint8_t padding[3];     // part of the record, so that a copy restores it too
  struct StonePos stones[16];
};

// A target on the sheet with a spin (0 or 1).
struct ShotPos {
  float x;
  float y;
  uint8_t spin;
  uint8_t padding[3];
};

// The initial velocity of a delivered stone and its spin.
struct ShotVec {
  float vx;
  float vy;
  uint8_t spin;
  uint8_t padding[3];
};

// Result codes of the exports. Zero is success; on a negative code the
// records handed in are left as they were (outputs are zeroed).
enum {
  kSimOk = 0,
  kSimNullPointer = -1,
  kSimNonFiniteInput = -2,
  kSimNegativeNoise = -3,
  kSimShotNumberOutOfRange = -4,
  kSimPowerOutOfRange = -5,
  kSimTimeStepOutOfRange = -6,
  kSimPathBufferTooSmall = -7,
};

// Delivers one stone from the near hog line with the given velocity, perturbed
// by execution error of scale `noise` (0 means none), and updates `state` in
// place: the stone goes into slot shotNumber, struck stones move, shotNumber
// grows by 1, and after the sixteenth stone the end is scored and closed.
// `reserved1` and `reserved2` are reserved for later use; callers pass 0 and -1.
CURLING_API int Simulation(struct GameState* state, struct ShotVec shot, float noise,
                           int32_t reserved1, int32_t reserved2);

// A draw: fills `out` with a velocity whose stone comes to rest at `target`.
CURLING_API int CreateShot(struct ShotPos target, struct ShotVec* out);

// A hit: fills `out` with a velocity whose stone passes through `target` with
// the weight `power` (1 = gentle, 15 = firm takeout).
CURLING_API int CreateHitShot(struct ShotPos target, float power, struct ShotVec* out);

// The score the position would give if the end closed now, with the sign of
// endScores.
CURLING_API int GetScore(const struct GameState* state);

// What a referee needs to know of a delivery besides the new position.
struct SimulationReport {
  double executedVx;  // the velocity executed: after execution error and the speed cap
  double executedVy;
  struct GameState after;  // the record as the shot left it, before the close of an end
                           // clears it (shotNumber 16 after the end's last stone)
};

// Simulation with a report of the delivery: the same checks, result codes and
// effect on `state`. On success `report` (when not null) is filled; on a
// negative code it is zeroed.
CURLING_API int SimulationWithReport(struct GameState* state, struct ShotVec shot, float noise,
                                     struct SimulationReport* report);

// One point of a stone's path: where it was, seconds after the release.
struct PathSample {
  float time;
  float x;
  float y;
};

// The path of the stone in one slot: samples [first, first + count) of the
// caller's buffer, in time order. The first is where it started to move (the
// release, or the contact that set it going), the last where it came to rest
// or left play; between them one every time step, and one at every contact
// that changed its motion. A stone that did not move has none.
struct StonePath {
  int32_t first;
  int32_t count;
  uint8_t leftPlay;  // 1: it left play at its last sample
  uint8_t padding[3];
};

struct DeliveryPaths {
  int32_t sampleCount;  // samples written, or the capacity needed when it is too small
  struct StonePath stones[16];
};

// SimulationWithReport that also records how the stones moved: the same
// checks, result codes and effect on `state`, bit for bit. Samples are taken
// every `timeStep` seconds (from 0.001 to 10) into `samples`, which holds
// `capacity` of them. When they do not fit, the result is
// kSimPathBufferTooSmall, paths->sampleCount says how many are needed, and
// nothing else changes, the execution-error generator included, so that the
// same call with a larger buffer gives the same delivery. The paths show the
// physics: when a rule then removes the delivered stone and puts the stones
// it moved back, `state` and the report hold the position the rule left.
CURLING_API int SimulationWithPaths(struct GameState* state, struct ShotVec shot, float noise,
                                    struct SimulationReport* report, float timeStep,
                                    struct PathSample* samples, int32_t capacity,
                                    struct DeliveryPaths* paths);

// Seeds the calling thread's execution-error generator, so that a sequence of
// noisy simulations can be replayed exactly.
CURLING_API void SeedSimulator(uint64_t seed);

#ifdef __cplusplus
}  // extern "C"
#endif

// Signatures of the exports, for binding them by name at run time.
typedef int (*SimulationFn)(struct GameState*, struct ShotVec, float, int32_t, int32_t);
typedef int (*CreateShotFn)(struct ShotPos, struct ShotVec*);
typedef int (*CreateHitShotFn)(struct ShotPos, float, struct ShotVec*);
typedef int (*SimulationWithReportFn)(struct GameState*, struct ShotVec, float,
                                      struct SimulationReport*);
typedef int (*SimulationWithPathsFn)(struct GameState*, struct ShotVec, float,
                                     struct SimulationReport*, float, struct PathSample*, int32_t,
                                     struct DeliveryPaths*);
typedef int (*GetScoreFn)(const struct GameState*);
typedef void (*SeedSimulatorFn)(uint64_t);

#ifdef __cplusplus
static_assert(sizeof(StonePos) == 8);
static_assert(sizeof(GameState) == 184);
static_assert(offsetof(GameState, shotNumber) == 0);
static_assert(offsetof(GameState, currentEnd) == 4);
static_assert(offsetof(GameState, lastEnd) == 8);
static_assert(offsetof(GameState, endScores) == 12);
static_assert(offsetof(GameState, turnFlag) == 52);
static_assert(offsetof(GameState, padding) == 53);
static_assert(offsetof(GameState, stones) == 56);
static_assert(sizeof(ShotPos) == 12);
static_assert(offsetof(ShotPos, x) == 0);
static_assert(offsetof(ShotPos, y) == 4);
static_assert(offsetof(ShotPos, spin) == 8);
static_assert(sizeof(ShotVec) == 12);
static_assert(offsetof(ShotVec, vx) == 0);
static_assert(offsetof(ShotVec, vy) == 4);
static_assert(offsetof(ShotVec, spin) == 8);
static_assert(sizeof(SimulationReport) == 200);
static_assert(offsetof(SimulationReport, executedVx) == 0);
static_assert(offsetof(SimulationReport, executedVy) == 8);
static_assert(offsetof(SimulationReport, after) == 16);
static_assert(sizeof(PathSample) == 12);
static_assert(offsetof(PathSample, x) == 4);
static_assert(offsetof(PathSample, y) == 8);
static_assert(sizeof(StonePath) == 12);
static_assert(offsetof(StonePath, count) == 4);
static_assert(offsetof(StonePath, leftPlay) == 8);
static_assert(sizeof(DeliveryPaths) == 196);
static_assert(offsetof(DeliveryPaths, stones) == 4);

// Whether a stone of a GameState is in play: one that is not lies at (0, 0),
// where no stone in play can be (on the side line, which puts a stone out).
inline constexpr bool StoneInPlay(StonePos stone) {
  return !(stone.x == 0.0f && stone.y == 0.0f);
}
#endif
