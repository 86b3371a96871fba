#pragma once
// A thread that runs the tasks posted to it one at a time, in the order they were posted.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace talon {

class SerialWorker {
 public:
  SerialWorker();
  // Runs what is queued, then ends the thread.
  ~SerialWorker();
  SerialWorker(const SerialWorker&) = delete;
  SerialWorker& operator=(const SerialWorker&) = delete;

  void Post(std::function<void()> task);
  // Blocks until every task posted so far has run.
  void WaitIdle();
  // True once destruction has begun: long waits inside a task should give up.
  bool stopping() const;

 private:
  void Run();

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> tasks_;
  bool running_task_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace talon
