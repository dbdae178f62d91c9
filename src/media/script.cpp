#include "media/script.h"

#include "media/input.h"

Script& Script::Add(std::function<bool(int)> run) {
  steps_.push_back(Step{std::move(run)});
  return *this;
}

Script& Script::Wait(int frames) {
  return Add([frames](int tick) { return tick >= frames; });
}

Script& Script::MoveTo(int x, int y) {
  return Add([x, y](int) {
    InjectMouseMove(x, y);
    return true;
  });
}

Script& Script::Press(int button) {
  return Add([button](int) {
    InjectMouseButton(button, true);
    return true;
  });
}

Script& Script::Release(int button) {
  return Add([button](int) {
    InjectMouseButton(button, false);
    return true;
  });
}

Script& Script::Click(int x, int y, int button) {
  MoveTo(x, y);
  Press(button);
  Wait(1);
  return Release(button);
}

Script& Script::HoldKey(int key, int frames) {
  Add([key](int) {
    InjectKey(key, true);
    return true;
  });
  Add([key, frames](int tick) {
    if (tick < frames) return false;
    InjectKey(key, false);
    return true;
  });
  return *this;
}

Script& Script::TapKey(int key) { return HoldKey(key, 1); }

Script& Script::Type(const std::string& text) {
  for (char c : text) {
    Add([c](int) {
      InjectChar(static_cast<unsigned char>(c));
      return true;
    });
    Wait(1);
  }
  return *this;
}

Script& Script::Wheel(int steps) {
  return Add([steps](int) {
    InjectWheel(steps);
    return true;
  });
}

Script& Script::Until(std::function<bool()> pred, int maxFrames, std::string what) {
  return Add([pred = std::move(pred), maxFrames, what = std::move(what)](int tick) {
    if (pred()) return true;
    if (tick >= maxFrames) throw ScriptTimeout("timed out waiting for " + what);
    return false;
  });
}

Script& Script::Do(std::function<void()> action) {
  return Add([action = std::move(action)](int) {
    action();
    return true;
  });
}

Script& Script::Stop() {
  return Add([](int) -> bool { throw StopRun{}; });
}

Script& Script::CloseWindow() {
  return Add([](int) {
    RequestClose();
    return true;
  });
}

void Script::Frame() {
  ++frames_;
  // Run every step that finishes now; a step that waits holds the rest for this frame.
  while (!steps_.empty()) {
    if (!steps_.front().run(tick_)) {
      ++tick_;
      return;
    }
    steps_.pop_front();
    tick_ = 0;
  }
  if (!keepRunning_) throw StopRun{};
}

void Script::Install(bool keepRunning) {
  keepRunning_ = keepRunning;
  SetFrameDriver([this](int) { Frame(); });
}
