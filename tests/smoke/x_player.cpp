#include "smoke/x_player.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool FindByTitle(Display* d, Window w, const std::string& title, Window& found) {
  char* name = nullptr;
  if (XFetchName(d, w, &name) && name) {
    const bool same = title == name;
    XFree(name);
    XWindowAttributes a;
    if (same && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) {
      found = w;
      return true;
    }
  }
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(d, w, &root, &parent, &children, &count)) return false;
  bool hit = false;
  for (unsigned int i = 0; i < count && !hit; ++i) hit = FindByTitle(d, children[i], title, found);
  if (children) XFree(children);
  return hit;
}

// The window manager's mark on the root window, pointing at a window that carries it too.
bool ManagerMarked(Display* d) {
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  bool marked = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                                   &after, &data) == Success &&
                data && count == 1;
  if (data) XFree(data);
  return marked;
}

}  // namespace

XPlayer::XPlayer() : display_(XOpenDisplay(nullptr)) {}

XPlayer::~XPlayer() {
  if (display_) XCloseDisplay(display_);
}

int XPlayer::ScreenWidth() const { return DisplayWidth(display_, DefaultScreen(display_)); }
int XPlayer::ScreenHeight() const { return DisplayHeight(display_, DefaultScreen(display_)); }

// Windows may go while the tree is walked (a window manager's frames); that is no error.
class QuietErrors {
public:
  explicit QuietErrors(Display* d) : display_(d), previous_(XSetErrorHandler([](Display*, XErrorEvent*) { return 0; })) {}
  ~QuietErrors() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }

private:
  Display* display_;
  XErrorHandler previous_;
};

void XPlayer::PlaceWindow(const std::string& title, int x, int y) {
  const QuietErrors quiet(display_);
  Window w = None;
  if (FindByTitle(display_, DefaultRootWindow(display_), title, w)) XMoveWindow(display_, w, x, y);
}

bool XPlayer::FindWindow(const std::string& title, ScreenRect& place) const {
  const QuietErrors quiet(display_);
  Window w = None, child;
  XWindowAttributes a;
  const bool found = FindByTitle(display_, DefaultRootWindow(display_), title, w) &&
                     XGetWindowAttributes(display_, w, &a) &&
                     XTranslateCoordinates(display_, w, DefaultRootWindow(display_), 0, 0, &place.x, &place.y, &child);
  if (!found) return false;
  place.w = a.width;
  place.h = a.height;
  return true;
}

uint32_t XPlayer::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= ScreenWidth() || y >= ScreenHeight()) return 0xFFFFFFFF;
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0;
  const unsigned long p = XGetPixel(image, 0, 0);
  auto channel = [&](unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) mask >>= 1, ++shift;
    return uint32_t((p >> shift) & 0xFF);
  };
  const uint32_t rgb = channel(image->red_mask) << 16 | channel(image->green_mask) << 8 | channel(image->blue_mask);
  XDestroyImage(image);
  return rgb;
}

void XPlayer::MoveTo(int x, int y) {
  XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
  XSync(display_, False);
}

void XPlayer::Button(bool down) {
  XTestFakeButtonEvent(display_, 1, down, CurrentTime);
  XSync(display_, False);
}

void XPlayer::Key(const char* keysym, bool down) {
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XStringToKeysym(keysym)), down, CurrentTime);
  XSync(display_, False);
}

WindowManager::WindowManager() {
  pid_ = fork();
  if (pid_ == 0) {
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execlp("openbox", "openbox", static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid_ < 0) return;
  Display* d = XOpenDisplay(nullptr);
  for (int i = 0; d && i < 100 && !running_; ++i) {
    int status;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {  // it did not start
      pid_ = -1;
      break;
    }
    running_ = ManagerMarked(d);
    if (!running_) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (d) XCloseDisplay(d);
}

WindowManager::~WindowManager() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}
