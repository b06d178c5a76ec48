#include <Foundation/DispatchQueue.h>

#include <Foundation/RunLoop.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace ios {

namespace {

std::atomic<bool> globalInline{false};

// The workers behind `global()`. Started on first use and never stopped: the threads wait on the
// condition variable until the process ends.
class WorkerPool {
 public:
  static WorkerPool& shared() {
    static WorkerPool* pool = new WorkerPool;
    return *pool;
  }

  void submit(DispatchQueue::Block block) {
    std::lock_guard lock(mutex_);
    if (!started_) {
      started_ = true;
      for (int i = 0; i < kThreads; ++i) std::thread([this] { work(); }).detach();
    }
    jobs_.push_back(std::move(block));
    ready_.notify_one();
  }

 private:
  static constexpr int kThreads = 2;

  void work() {
    while (true) {
      DispatchQueue::Block block;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return !jobs_.empty(); });
        block = std::move(jobs_.front());
        jobs_.pop_front();
      }
      block();
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<DispatchQueue::Block> jobs_;
  bool started_ = false;
};

}  // namespace

DispatchQueue::DispatchQueue(Kind kind, std::string label) : label(std::move(label)), kind_(kind) {}

DispatchQueue& DispatchQueue::main() {
  static DispatchQueue* queue = new DispatchQueue(Kind::main, "com.apple.main-thread");
  return *queue;
}

DispatchQueue& DispatchQueue::global(DispatchQoS) {
  static DispatchQueue* queue = new DispatchQueue(Kind::global, "com.apple.root.default-qos");
  return *queue;
}

void DispatchQueue::async(Block block) {
  if (kind_ == Kind::main || globalInline) {
    RunLoop::main().perform(std::move(block));
  } else {
    WorkerPool::shared().submit(std::move(block));
  }
}

void DispatchQueue::asyncAfter(double seconds, Block block) {
  if (kind_ == Kind::main) {
    RunLoop::main().performAfter(seconds, std::move(block));
    return;
  }
  // The delay is kept by the main run loop's clock; when it ends the block moves to the pool (or, in
  // inline mode, runs on the main loop as it is).
  RunLoop::main().performAfter(seconds,
                               [this, block = std::move(block)]() mutable { async(std::move(block)); });
}

void DispatchQueue::setGlobalInline(bool isInline) {
  globalInline = isInline;
}

bool DispatchQueue::isGlobalInline() {
  return globalInline;
}

}  // namespace ios
