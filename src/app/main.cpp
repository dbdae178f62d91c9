// Quorvale: find a display, start every module, make sure no other game uses the data
// folder, open the window, then the intro and the main menu.
#include "app/main_loop.h"
#include "app/startup.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "players/data_folder.h"
#include "present/language.h"

#include <exception>

int main() {
  try {
    // Without a display nothing else is started: one line says what was tried.
    if (CurrentBackend() == Backend::Windowed && !InitDisplay())
      FatalError("The game window could not be opened: " + GraphicsError());
    InitModules();
    // A second game on the same folder would overwrite the first one's progress with its
    // own at every save: it only says that the game is running and ends.
    if (!LockDataFolder()) FatalError(Language->GetString("Quorvale is already running."));
    if (!StartMainProgram()) FatalError("The game window could not be opened: " + GraphicsError());
    RunMainLoop();
  } catch (const std::exception& e) {
    // A missing requester picture and similar truly fatal conditions end up here.
    FatalError(e.what());
  }
}
