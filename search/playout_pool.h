// A fixed set of worker threads that, with the calling thread, plays the
// playouts of each iteration of a search. Made once per decision: starting
// threads per run or per playout costs more than many a playout does.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "simulator/curling_api.h"

class PlayoutPool {
 public:
  explicit PlayoutPool(int workerCount);
  // Ends the workers; no batch is running then.
  ~PlayoutPool();
  PlayoutPool(const PlayoutPool&) = delete;
  PlayoutPool& operator=(const PlayoutPool&) = delete;

  // One worker fewer than the machine has hardware threads: the calling
  // thread plays too.
  static int DefaultWorkerCount();

  // Plays `count` playouts, each after its own execution of `shot` from
  // `position` (PlayoutAfterShot), on the workers and the calling thread, and
  // returns the sum of their scores. When playouts throw, the others still
  // finish and the first exception is rethrown here.
  int32_t PlayBatch(const GameState& position, const ShotVec& shot, int (*playout)(), int count);

 private:
  void Work();
  // Takes the next playout of the batch and plays it with the lock released;
  // false when every playout has been taken.
  bool PlayOne(std::unique_lock<std::mutex>& lock);

  std::mutex mutex;
  std::condition_variable taskReady;
  std::condition_variable batchDone;
  // The batch, guarded by the mutex.
  GameState position{};
  ShotVec shot{};
  int (*playout)() = nullptr;
  int count = 0;
  int taken = 0;
  int finished = 0;
  int32_t sum = 0;
  std::exception_ptr error;
  bool stopping = false;
  std::vector<std::thread> workers;
};
