#include "platform/serial_worker.h"

namespace talon {

SerialWorker::SerialWorker() : thread_([this] { Run(); }) {}

SerialWorker::~SerialWorker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void SerialWorker::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  changed_.notify_all();
}

void SerialWorker::WaitIdle() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return tasks_.empty() && !running_task_; });
}

bool SerialWorker::stopping() const {
  std::lock_guard lock(mutex_);
  return stopping_;
}

void SerialWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !tasks_.empty() || stopping_; });
    if (tasks_.empty()) return;
    auto task = std::move(tasks_.front());
    tasks_.pop_front();
    running_task_ = true;
    lock.unlock();
    task();
    lock.lock();
    running_task_ = false;
    changed_.notify_all();
  }
}

}  // namespace talon
