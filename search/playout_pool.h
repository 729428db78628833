// A fixed set of worker threads for the asynchronous playouts of one run.
// Starting a thread per playout costs more than many a playout does.
#pragma once

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "simulator/curling_api.h"

class PlayoutPool {
 public:
  explicit PlayoutPool(int workerCount);
  // Finishes every playout handed in, then ends the workers.
  ~PlayoutPool();
  PlayoutPool(const PlayoutPool&) = delete;
  PlayoutPool& operator=(const PlayoutPool&) = delete;

  // Starts `playout` on a worker from its own copy of `position`; the
  // future gives the score, or the playout's exception.
  std::future<int> Launch(const GameState& position, int (*playout)());

 private:
  void Work();

  std::mutex mutex;
  std::condition_variable taskReady;
  std::deque<std::packaged_task<int()>> tasks;
  bool stopping = false;
  std::vector<std::thread> workers;
};
