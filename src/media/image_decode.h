// Internal to the media layer: decoding PNG and JPEG pictures into frames, at once or on a
// worker thread. A background decode is taken over by the game thread when it needs the
// pixels before the worker has come to them, so the first frame never waits for a queue.
#pragma once

#include "media/image.h"
#include "media/stream.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// A picture's encoded bytes and how it is cut into frames.
struct ImageSource {
  TBytes bytes;
  int cellWidth = 0, cellHeight = 0;  // the whole picture when 0
  int firstCell = 0, cellCount = 1;
  bool masked = false;
  uint32_t maskKey = 0;  // 0xRRGGBB made transparent when masked
};

// Width and height from the picture's header; false when the bytes are no picture we read.
bool ReadImageSize(const uint8_t* data, size_t size, int& width, int& height);
PixmapPtr DecodePicture(const uint8_t* data, size_t size);
// The source's frames; frames of transparent pixels when its data turns out to be damaged.
std::vector<PixmapPtr> DecodeFrames(const ImageSource& source, int width, int height);

class DecodeJob {
public:
  DecodeJob(std::shared_ptr<const ImageSource> source, int width, int height);
  // The frames: decoded on this thread if the worker has not started them, else waited for.
  std::vector<PixmapPtr> Take();
  // The worker's turn: decodes unless someone else already has.
  void RunIfWaiting();

private:
  enum class State { Waiting, Running, Done };
  std::shared_ptr<const ImageSource> source_;
  int width_, height_;
  std::mutex mutex_;
  std::condition_variable done_;
  State state_ = State::Waiting;
  std::vector<PixmapPtr> frames_;
};

// Queues the job for the worker thread (started on first use).
void DecodeInBackground(const std::shared_ptr<DecodeJob>& job);
