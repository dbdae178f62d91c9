// Quorvale: find a display, start every module, make sure no other game uses the data
// folder, open the window, then the intro and the main menu.
#include "app/main_loop.h"
#include "app/startup.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "players/data_folder.h"
#include "present/language.h"
#include "present/latin1.h"

#include <exception>

namespace {

// The game's texts are Latin-1; the terminal and the message box read UTF-8.
[[noreturn]] void Fatal(const std::string& text) { FatalError(Utf8FromLatin1(text)); }

std::string NoWindow() {
  return Text("The game window could not be opened: $reason", {"reason", Latin1FromUtf8(GraphicsError())});
}

}  // namespace

int main() {
  try {
    InitLanguage("");  // the system's language, before any text is fetched
    // Without a display nothing else is started: one line says what was tried.
    if (CurrentBackend() == Backend::Windowed && !InitDisplay()) Fatal(NoWindow());
    InitModules();
    // A second game on the same folder would overwrite the first one's progress with its
    // own at every save: it only says that the game is running and ends.
    if (!LockDataFolder()) Fatal(Text("Quorvale is already running."));
    if (!StartMainProgram()) Fatal(NoWindow());
    RunMainLoop();
  } catch (const std::exception& e) {
    // A missing requester picture and similar truly fatal conditions end up here.
    FatalError(e.what());
  }
}
