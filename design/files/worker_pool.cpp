#include "design/files/worker_pool.h"

#include <algorithm>

namespace pedivo {

unsigned WorkerPool::defaultWorkers() { return std::clamp(std::thread::hardware_concurrency(), 1u, 8u); }

WorkerPool::WorkerPool(unsigned workers) {
  for (unsigned i = 0; i < std::max(workers, 1u); ++i) workers_.emplace_back([this] { work(); });
}

WorkerPool::~WorkerPool() {
  {
    const std::lock_guard lock(mutex_);
    closing_ = true;
  }
  wake_.notify_all();
  // The workers finish what is queued and are joined as workers_ goes.
}

void WorkerPool::post(std::function<void()> job) {
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(job));
  }
  wake_.notify_one();
}

void WorkerPool::work() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return closing_ || !queue_.empty(); });
      if (queue_.empty()) return;  // closing, nothing left
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    job();
  }
}

}  // namespace pedivo
