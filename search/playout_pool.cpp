#include "search/playout_pool.h"

#include <algorithm>

#include "search/playout_task.h"

PlayoutPool::PlayoutPool(int workerCount) {
  workers.reserve(static_cast<size_t>(workerCount));
  for (int i = 0; i < workerCount; ++i) workers.emplace_back([this] { Work(); });
}

PlayoutPool::~PlayoutPool() {
  {
    const std::lock_guard<std::mutex> lock(mutex);
    stopping = true;
  }
  taskReady.notify_all();
  for (std::thread& worker : workers) worker.join();
}

int PlayoutPool::DefaultWorkerCount() {
  const unsigned threads = std::max(1U, std::thread::hardware_concurrency());
  return static_cast<int>(threads) - 1;
}

int32_t PlayoutPool::PlayBatch(const GameState& from, const ShotVec& delivery, int (*play)(),
                               int playouts) {
  std::unique_lock<std::mutex> lock(mutex);
  position = from;
  shot = delivery;
  playout = play;
  count = playouts;
  taken = 0;
  finished = 0;
  sum = 0;
  error = nullptr;
  lock.unlock();
  taskReady.notify_all();
  lock.lock();
  while (PlayOne(lock)) {
  }
  batchDone.wait(lock, [this] { return finished == count; });
  if (error) std::rethrow_exception(error);
  return sum;
}

bool PlayoutPool::PlayOne(std::unique_lock<std::mutex>& lock) {
  if (taken == count) return false;
  ++taken;
  const GameState from = position;
  const ShotVec delivery = shot;
  int (*const play)() = playout;
  lock.unlock();
  int score = 0;
  std::exception_ptr thrown;
  try {
    score = PlayoutAfterShot(from, delivery, play);
  } catch (...) {
    thrown = std::current_exception();
  }
  lock.lock();
  sum += score;
  if (thrown && !error) error = thrown;
  if (++finished == count) batchDone.notify_one();
  return true;
}

void PlayoutPool::Work() {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    taskReady.wait(lock, [this] { return stopping || taken < count; });
    if (taken == count) return;  // stopping, and nothing left to play
    PlayOne(lock);
  }
}
