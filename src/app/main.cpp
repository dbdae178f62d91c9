// Quorvale: start every module, open the window, then the intro and the main menu.
#include "app/main_loop.h"
#include "app/startup.h"
#include "media/platform.h"

#include <exception>

int main() {
  try {
    InitModules();
    if (!StartMainProgram()) FatalError("The game window could not be opened.");
    RunMainLoop();
  } catch (const std::exception& e) {
    // A missing requester picture and similar truly fatal conditions end up here.
    FatalError(e.what());
  }
}
