// Internal to the media layer: one thread that runs tasks in the order they were given,
// started with the first task. Picture decodes and background file writes each have one.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class WorkerThread {
public:
  WorkerThread() = default;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  // Tasks not yet started are dropped; a running one is finished first.
  ~WorkerThread();

  void Add(std::function<void()> task);
  // Returns once no task is waiting or running.
  void WaitIdle();

private:
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_, idle_;
  std::deque<std::function<void()>> queue_;
  std::thread thread_;
  bool busy_ = false, stop_ = false;
};
