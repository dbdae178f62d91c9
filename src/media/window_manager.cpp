// Asking the window system whether a window manager runs (X11 only: elsewhere a
// compositor always does). Apart from the rest of the window code, which Xlib's names
// would collide with.
#include "media/backend.h"

#include <SDL.h>
#include <SDL_syswm.h>

// A manager that has quit may leave its mark on the root window, so the mark's own
// window must still answer.
bool media_detail::WindowManagerRuns(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info)) return true;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (info.subsystem != SDL_SYSWM_X11) return true;
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  auto markOf = [&](Window w) -> Window {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    Window mark = None;
    if (XGetWindowProperty(display, w, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        data && count == 1 && format == 32)
      mark = Window(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return mark;
  };
  XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a gone window
  const Window mark = markOf(DefaultRootWindow(display));
  const bool runs = mark != None && markOf(mark) == mark;
  XSync(display, False);
  XSetErrorHandler(previous);
  return runs;
#else
  return true;
#endif
}
