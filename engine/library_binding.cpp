#include "engine/library_binding.h"

#include <string>

#include "engine/platform.h"

SimulationFn simulation = nullptr;
CreateShotFn createShot = nullptr;
CreateHitShotFn createHitShot = nullptr;
GetScoreFn getScore = nullptr;
SeedSimulatorFn seedSimulator = nullptr;

namespace engine {

namespace {

// Shown when the library cannot be used; the second line gives the loader's reason.
constexpr const char* kLoadFailureMessage = "CurlingSimulator.dll の読み込みに失敗しました";

template <typename Function>
bool Resolve(void* library, const char* name, Function& target, std::string& reason) {
  target = reinterpret_cast<Function>(FindSymbol(library, name, reason));
  return target != nullptr;
}

}  // namespace

bool BindSimulator() {
  std::string reason;
  void* library = OpenLibrary(kSimulatorLibrary, reason);
  // A missing export would be called through a null pointer later; a library
  // without all four is as unusable as one that does not load.
  const bool bound = library != nullptr && Resolve(library, "Simulation", simulation, reason) &&
                     Resolve(library, "CreateShot", createShot, reason) &&
                     Resolve(library, "CreateHitShot", createHitShot, reason) &&
                     Resolve(library, "GetScore", getScore, reason);
  if (!bound) {
    ShowErrorMessage(kLoadFailureMessage, reason);
    return false;
  }
  std::string optionalReason;
  seedSimulator =
      reinterpret_cast<SeedSimulatorFn>(FindSymbol(library, "SeedSimulator", optionalReason));
  return true;
}

}  // namespace engine
