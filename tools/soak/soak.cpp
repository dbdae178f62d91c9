// The random-input soak: plays the real game headless from the intro on with random
// clicks, drags, wheel turns, keys and typing (never closing the window) for a number of
// frames with a fixed seed, then reports the screens it reached and the resident memory.
// Built with the sanitizers it also proves the run free of faults and leaks.
//   soak [--frames N] [--seed S] [--warmup N] [--max-growth-mb M]
// Exit code 0 when the run ended cleanly and memory stayed flat after warm-up.
#include "soak_screens.h"

#include "app/main_loop.h"
#include "app/startup.h"
#include "levels/level_set.h"
#include "media/input.h"
#include "media/platform.h"
#include "media/stream.h"
#include "players/data_folder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// A small quarantine, so that freed memory held back for use-after-free checks does not
// look like growth.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16:detect_leaks=1"; }
#endif

namespace fs = std::filesystem;

namespace {

struct Options {
  long frames = 5000;
  unsigned seed = 20240611;
  long warmup = 0;  // 0: a fifth of the frames
  long maxGrowthMb = 48;
};

double ResidentMb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double PeakResidentMb() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return double(u.ru_maxrss) / 1024;
}

// A player who knows nothing: one input event now and then, sometimes aimed at the
// current screen's buttons.
class RandomPlayer {
public:
  explicit RandomPlayer(unsigned seed) : rng_(seed) {}

  void Frame(const std::vector<const SoakScreen*>& up) {
    if (releaseButton_) {
      InjectMouseButton(releaseButton_, false);
      releaseButton_ = 0;
    }
    if (releaseKey_) {
      InjectKey(releaseKey_, false);
      releaseKey_ = 0;
    }
    if (dragFrames_ > 0) {
      x_ += (dragX_ - x_) / dragFrames_;
      y_ += (dragY_ - y_) / dragFrames_;
      InjectMouseMove(x_, y_);
      if (--dragFrames_ == 0) InjectMouseButton(MOUSE_LEFT, false);
      return;
    }
    const int r = Roll(0, 99);
    if (r < 30) {
      Aim(up);
      InjectMouseMove(x_, y_);
    } else if (r < 50) {
      Aim(up);
      Click(MOUSE_LEFT);
    } else if (r < 55) {
      Aim(up);
      Click(MOUSE_RIGHT);
    } else if (r < 59) {
      Aim(up);
      InjectMouseMove(x_, y_);
      InjectMouseButton(MOUSE_LEFT, true);
      dragX_ = Roll(0, 639);
      dragY_ = Roll(0, 479);
      dragFrames_ = Roll(2, 40);
    } else if (r < 64) {
      InjectWheel(Roll(0, 1) ? Roll(1, 3) : -Roll(1, 3));
    } else if (r < 72) {
      static const int KEYS[] = {KEY_A,    KEY_S,     KEY_SPACE, KEY_ENTER, KEY_ESCAPE, KEY_BACKSPACE,
                                 KEY_LEFT, KEY_RIGHT, KEY_UP,    KEY_DOWN,  KEY_HOME,   KEY_END,
                                 KEY_PAGEUP, KEY_PAGEDOWN, KEY_DELETE, KEY_TAB, KEY_SHIFT};
      releaseKey_ = KEYS[Roll(0, int(std::size(KEYS)) - 1)];
      InjectKey(releaseKey_, true);
    } else if (r < 78) {
      const int kind = Roll(0, 9);
      InjectChar(kind < 7 ? Roll(32, 126) : kind < 9 ? Roll(160, 255) : Roll(256, 0x20AC));
    }
  }

private:
  int Roll(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // A random point, or (one time in three) a hot spot of a screen that is up.
  void Aim(const std::vector<const SoakScreen*>& up) {
    if (!up.empty() && Roll(0, 2) == 0) {
      const SoakScreen& s = *up[size_t(Roll(0, int(up.size()) - 1))];
      if (!s.hotSpots.empty()) {
        const SoakPoint p = s.hotSpots[size_t(Roll(0, int(s.hotSpots.size()) - 1))];
        x_ = std::clamp(p.x + Roll(-8, 8), 0, 639);
        y_ = std::clamp(p.y + Roll(-8, 8), 0, 479);
        return;
      }
    }
    x_ = Roll(0, 639);
    y_ = Roll(0, 479);
  }

  void Click(int button) {
    InjectMouseMove(x_, y_);
    InjectMouseButton(button, true);
    releaseButton_ = button;
  }

  std::mt19937 rng_;
  int x_ = 320, y_ = 240;
  int releaseButton_ = 0, releaseKey_ = 0;
  int dragFrames_ = 0, dragX_ = 0, dragY_ = 0;
};

// A self-made set beside the shipped ones: a Play-for-tiles level first, so the bonus
// stage is reachable by chance, then an ordinary one.
void WriteSoakLevelSet() {
  const std::string path = DataFolder->GetPath() + "Soak.lvl";
  CreateEmptyLevelSet(path);
  ReadLevelSet(path);
  for (int level = 0; level < 2; ++level) {
    TLevelProperties& p = *LevelProps[size_t(level)];
    p.GameTime = 30;
    p.MiscProperties = level == 0 ? LP_PLAY_FOR_TILES | LP_BOMBS | LP_JOKER : LP_TWISTER | LP_TORCH;
    for (auto& column : p.BonusLevelData) column.fill(-1);
    for (int x = 0; x < BOARD_W; ++x)
      for (int y = 0; y < 4; ++y) p.BonusLevelData[size_t(x)][size_t(y)] = (x + y) % 4;
    for (int e = 0; e < 5; ++e) {
      auto s = std::make_shared<Shape>();
      s->Element = e;
      s->X = float(150 + 50 * e);
      s->Y = 250;
      s->Pickable = 1;
      LevelShapes[size_t(level)].push_back(s);
    }
  }
  WriteLevelSet(path);
}

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i];
    const long v = std::strtol(argv[i + 1], nullptr, 10);
    if (k == "--frames") o.frames = v;
    if (k == "--seed") o.seed = unsigned(v);
    if (k == "--warmup") o.warmup = v;
    if (k == "--max-growth-mb") o.maxGrowthMb = v;
  }
  if (o.warmup <= 0) o.warmup = o.frames / 5;
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  const Options opt = Parse(argc, argv);
  const char* tmp = std::getenv("TMPDIR");
  const fs::path home = fs::path(tmp && *tmp ? tmp : "/tmp") / ("qv_soak_" + std::to_string(::getpid()));
  fs::remove_all(home);
  fs::create_directories(home);
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  ::setenv("SDL_AUDIODRIVER", "dummy", 0);
  SetBackend(Backend::Headless);

  std::map<std::string, int> firstFrame;  // when each screen was first reached
  auto reached = [&](const std::string& name) { firstFrame.emplace(name, FrameNumber()); };
  SetReadOpenHook([&](const std::string& path) {
    for (const SoakScreen& s : SoakScreens())
      if (!s.opens.empty() && path.find(s.opens) != std::string::npos) reached(s.name);
  });

  InitModules();
  WriteSoakLevelSet();
  if (!StartMainProgram()) {
    std::fprintf(stderr, "soak: no frame\n");
    return 1;
  }
  std::printf("soak: seed %u, %ld frames\n", opt.seed, opt.frames);
  RandomPlayer player(opt.seed);
  double warm = 0, highest = 0;
  SetFrameDriver([&](int frame) {
    KeepTheGameRunning();
    std::vector<const SoakScreen*> up;
    for (const SoakScreen& s : SoakScreens())
      if (s.showing && s.showing()) {
        up.push_back(&s);
        reached(s.name);
      }
    if (frame % 1000 == 0) {
      const double rss = ResidentMb();
      if (frame == opt.warmup - opt.warmup % 1000) warm = rss;
      if (frame >= opt.warmup) highest = std::max(highest, rss);
      if (frame % 10000 == 0) std::printf("soak: frame %d, resident %.1f MB\n", frame, rss), std::fflush(stdout);
    }
    if (frame >= opt.frames) throw StopRun{};
    player.Frame(up);
  });
  try {
    RunMainLoop();
  } catch (const StopRun&) {
  }
  SetFrameDriver(nullptr);
  SetReadOpenHook(nullptr);

  std::string seen, missed;
  for (const SoakScreen& s : SoakScreens()) {
    const auto it = firstFrame.find(s.name);
    if (it == firstFrame.end())
      missed += (missed.empty() ? "" : ", ") + s.name;
    else
      seen += (seen.empty() ? "" : ", ") + s.name + " (frame " + std::to_string(it->second) + ")";
  }
  std::printf("soak: screens reached: %s\n", seen.c_str());
  std::printf("soak: screens not reached: %s\n", missed.empty() ? "none" : missed.c_str());
  const double growth = highest - warm;
  std::printf("soak: seed %u, frames %ld, resident after warm-up %.1f MB, highest later %.1f MB, peak %.1f MB\n",
              opt.seed, opt.frames, warm, highest, PeakResidentMb());
  fs::remove_all(home);
  if (growth > double(opt.maxGrowthMb)) {
    std::fprintf(stderr, "soak: resident memory grew by %.1f MB after warm-up\n", growth);
    return 1;
  }
  return 0;
}
