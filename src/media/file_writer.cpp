// One worker thread that writes whole files through write streams, so that a save never
// holds up a frame while the disk confirms it.
#include "media/stream.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

struct Job {
  std::string path;
  std::vector<uint8_t> bytes;
  std::shared_ptr<std::atomic<bool>> failed;
};

class Writer {
public:
  void Add(Job job) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      // Newer bytes for a file still waiting replace the older ones.
      bool replaced = false;
      for (Job& waiting : queue_)
        if (waiting.path == job.path) {
          waiting = std::move(job);
          replaced = true;
          break;
        }
      if (!replaced) queue_.push_back(std::move(job));
      if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
  }

  void WaitIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
  }

private:
  void Run() {
    for (;;) {
      Job job;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [this] { return !queue_.empty(); });
        job = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
      }
      const bool ok = Write(job);
      if (!ok && job.failed) *job.failed = true;
      std::lock_guard<std::mutex> lock(mutex_);
      busy_ = false;
      idle_.notify_all();
    }
  }

  static bool Write(const Job& job) {
    StreamPtr s = WriteStream(job.path);
    if (!s) return false;
    s->WriteString(std::string(job.bytes.begin(), job.bytes.end()));
    return s->Close();
  }

  std::mutex mutex_;
  std::condition_variable wake_, idle_;
  std::deque<Job> queue_;
  bool busy_ = false;
  std::thread thread_;
};

// Never destroyed: the thread waits for work for as long as the program runs.
Writer& TheWriter() {
  static Writer* writer = new Writer;
  return *writer;
}

}  // namespace

void WriteFileInBackground(const std::string& path, std::vector<uint8_t> bytes,
                           std::shared_ptr<std::atomic<bool>> failed) {
  TheWriter().Add(Job{path, std::move(bytes), std::move(failed)});
}

void FinishBackgroundWrites() { TheWriter().WaitIdle(); }
