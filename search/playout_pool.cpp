#include "search/playout_pool.h"

#include <utility>

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

std::future<int> PlayoutPool::Launch(const GameState& position, int (*playout)()) {
  std::packaged_task<int()> task(
      [position, playout] { return PlayoutFromPosition(position, playout); });
  std::future<int> result = task.get_future();
  {
    const std::lock_guard<std::mutex> lock(mutex);
    tasks.push_back(std::move(task));
  }
  taskReady.notify_one();
  return result;
}

void PlayoutPool::Work() {
  for (;;) {
    std::packaged_task<int()> task;
    {
      std::unique_lock<std::mutex> lock(mutex);
      taskReady.wait(lock, [this] { return stopping || !tasks.empty(); });
      if (tasks.empty()) return;
      task = std::move(tasks.front());
      tasks.pop_front();
    }
    task();
  }
}
