// A fixed set of worker threads that, with the calling thread, plays the
// playouts of a search's iterations. Made once per decision: starting threads
// per run or per playout costs more than many a playout does.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "simulator/curling_api.h"

namespace search {

class PlayoutPool {
 public:
  explicit PlayoutPool(int workerCount);
  // Finishes the batches handed in, then ends the workers.
  ~PlayoutPool();
  PlayoutPool(const PlayoutPool&) = delete;
  PlayoutPool& operator=(const PlayoutPool&) = delete;

  // One worker fewer than the machine has hardware threads: the calling
  // thread plays too.
  static int DefaultWorkerCount();

  // Batches that may wait at once: the iteration being played and the next.
  static constexpr int kMaxBatches = 2;

  // Hands in a batch of `count` playouts, each after its own execution of
  // `shot` from `position` (PlayoutAfterShot); the workers start on it as soon
  // as the batches before it have no playout left to start. At most
  // kMaxBatches batches wait for Collect.
  void Submit(const GameState& position, const ShotVec& shot, int (*playout)(), int count);

  // Waits for the oldest batch, playing its playouts (and then the next
  // batch's) on the calling thread meanwhile, and returns the sum of its
  // scores. When playouts throw, the others still finish and the first
  // exception is rethrown here.
  int32_t Collect();

  // Drops the oldest batch: its playouts not yet started never start, and
  // the ones running finish unseen, failures included.
  void Drop();

  // Submit, then Collect.
  int32_t PlayBatch(const GameState& position, const ShotVec& shot, int (*playout)(), int count);

 private:
  struct Batch {
    GameState position;
    ShotVec shot;
    int (*playout)();
    int count;
    int taken;
    int finished;
    int32_t sum;
    std::exception_ptr error;
  };

  void Work();
  // Plays the next playout not yet started, oldest batch first, with the
  // lock released; false when every playout has been started.
  bool PlayOne(std::unique_lock<std::mutex>& lock);
  Batch& At(int k) { return batches[static_cast<size_t>((first + k) % kMaxBatches)]; }

  std::mutex mutex;
  std::condition_variable taskReady;
  std::condition_variable batchDone;
  // Guarded by the mutex: the waiting batches, oldest at `first`.
  std::array<Batch, kMaxBatches> batches{};
  int first = 0;
  int waiting = 0;
  bool stopping = false;
  std::vector<std::thread> workers;
};

}  // namespace search
