#pragma once
// Worker threads shared by everything that designs many independent cases: pedivo-calc's JSON
// Lines and tables, and the batch window. A task is any callable; its result comes back through a
// future, so the caller decides the order in which results are used.

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace pedivo {

class WorkerPool {
 public:
  // One worker a processor core, at most eight.
  static unsigned defaultWorkers();

  explicit WorkerPool(unsigned workers = defaultWorkers());
  // Finishes what is queued, then joins the workers.
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  unsigned workers() const { return static_cast<unsigned>(workers_.size()); }

  template <class Task>
  std::future<std::invoke_result_t<Task>> submit(Task task) {
    auto packaged = std::make_shared<std::packaged_task<std::invoke_result_t<Task>()>>(std::move(task));
    auto result = packaged->get_future();
    post([packaged] { (*packaged)(); });
    return result;
  }

 private:
  void post(std::function<void()> job);
  void work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> queue_;
  bool closing_ = false;
  std::vector<std::jthread> workers_;
};

}  // namespace pedivo
