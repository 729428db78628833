#include "search/playout_pool.h"

#include <algorithm>
#include <stdexcept>

#include "search/playout_task.h"

namespace search {

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

void PlayoutPool::Submit(const GameState& position, const ShotVec& shot, int (*playout)(),
                         int count) {
  {
    const std::lock_guard<std::mutex> lock(mutex);
    if (waiting == kMaxBatches) throw std::logic_error("too many playout batches waiting");
    At(waiting++) = Batch{position, shot, playout, count, 0, 0, 0, nullptr};
  }
  taskReady.notify_all();
}

int32_t PlayoutPool::Collect() {
  std::unique_lock<std::mutex> lock(mutex);
  if (waiting == 0) throw std::logic_error("no playout batch to collect");
  while (At(0).finished < At(0).count) {
    if (!PlayOne(lock)) batchDone.wait(lock);
  }
  const Batch done = At(0);
  first = (first + 1) % kMaxBatches;
  --waiting;
  lock.unlock();
  if (done.error) std::rethrow_exception(done.error);
  return done.sum;
}

void PlayoutPool::Drop() {
  std::unique_lock<std::mutex> lock(mutex);
  if (waiting == 0) throw std::logic_error("no playout batch to drop");
  At(0).count = At(0).taken;
  batchDone.wait(lock, [this] { return At(0).finished == At(0).count; });
  first = (first + 1) % kMaxBatches;
  --waiting;
}

int32_t PlayoutPool::PlayBatch(const GameState& position, const ShotVec& shot, int (*playout)(),
                               int count) {
  Submit(position, shot, playout, count);
  return Collect();
}

bool PlayoutPool::PlayOne(std::unique_lock<std::mutex>& lock) {
  int k = 0;
  while (k < waiting && At(k).taken == At(k).count) ++k;
  if (k == waiting) return false;
  // Batches leave only from the front, and only once every playout of theirs
  // has finished; so this one stays at the same place while it is played.
  Batch& batch = At(k);
  ++batch.taken;
  const GameState position = batch.position;
  const ShotVec shot = batch.shot;
  int (*const playout)() = batch.playout;
  lock.unlock();
  int score = 0;
  std::exception_ptr thrown;
  try {
    score = PlayoutAfterShot(position, shot, playout);
  } catch (...) {
    thrown = std::current_exception();
  }
  lock.lock();
  batch.sum += score;
  if (thrown && !batch.error) batch.error = thrown;
  if (++batch.finished == batch.count) batchDone.notify_all();
  return true;
}

void PlayoutPool::Work() {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    if (PlayOne(lock)) continue;
    if (stopping) return;
    taskReady.wait(lock);
  }
}

}  // namespace search
