// Whole files written on a worker thread through write streams, so that a save never holds
// up a frame while the disk confirms it.
#include "media/stream.h"

#include "media/worker_thread.h"

#include <map>
#include <mutex>

namespace {

struct Waiting {
  std::vector<uint8_t> bytes;
  std::shared_ptr<std::atomic<bool>> failed;
};

// Never destroyed: writes handed over before the end are finished by FinishBackgroundWrites.
struct Writer {
  WorkerThread thread;
  std::mutex mutex;
  std::map<std::string, Waiting> waiting;  // by path: the newest bytes not yet started
};

Writer& TheWriter() {
  static auto* writer = new Writer;
  return *writer;
}

void WriteWaiting(const std::string& path) {
  Writer& w = TheWriter();
  Waiting job;
  {
    std::lock_guard<std::mutex> lock(w.mutex);
    const auto it = w.waiting.find(path);
    if (it == w.waiting.end()) return;
    job = std::move(it->second);
    w.waiting.erase(it);
  }
  if (!SaveBytes(path, job.bytes) && job.failed) *job.failed = true;
}

}  // namespace

void WriteFileInBackground(const std::string& path, std::vector<uint8_t> bytes,
                           std::shared_ptr<std::atomic<bool>> failed) {
  Writer& w = TheWriter();
  std::lock_guard<std::mutex> lock(w.mutex);
  // Newer bytes for a file still waiting replace the older ones.
  const bool queued = w.waiting.count(path) != 0;
  w.waiting[path] = Waiting{std::move(bytes), std::move(failed)};
  if (!queued) w.thread.Add([path] { WriteWaiting(path); });
}

void FinishBackgroundWrites() { TheWriter().thread.WaitIdle(); }
