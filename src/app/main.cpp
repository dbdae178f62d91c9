// Quorvale: read the command line, find a display, start every module, make sure no other
// game uses the data folder, open the window, then the intro and the main menu, or
// straight the level-set selection for a level set given to it.
#include "app/command_line.h"
#include "app/main_loop.h"
#include "app/startup.h"
#include "media/audio.h"
#include "media/desktop.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "players/data_folder.h"
#include "present/language.h"
#include "present/latin1.h"

#include <exception>
#include <iostream>

namespace {

// The game's texts are Latin-1; the terminal and the message box read UTF-8.
[[noreturn]] void Fatal(const std::string& text) { FatalError(Utf8FromLatin1(text)); }

std::string NoWindow() {
  return Text("The game window could not be opened: $reason", {"reason", Latin1FromUtf8(GraphicsError())});
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine command = ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (command.exit) return command.exitCode;
  try {
    // --language, else the system's language; before any text is fetched
    InitLanguage(command.language);
    // The installed launcher's name, so docks match the window to it; SDL reads it when
    // the display is opened.
    AppId(QV_APP_ID);
    // Without a display nothing else is started: one line says what was tried.
    if (CurrentBackend() == Backend::Windowed && !InitDisplay()) Fatal(NoWindow());
    // The sound device opens while the modules start and the window opens.
    OpenAudioInBackground();
    InitModulesButSound();
    // A second game on the same folder would overwrite the first one's progress with its
    // own at every save: it only says that the game is running and ends.
    if (!LockDataFolder()) Fatal(Text("Quorvale is already running."));
    if (!StartMainProgram(command.window == CommandLine::WindowMode::Fullscreen)) Fatal(NoWindow());
    if (!command.levelSet.empty()) QueueOpenedFile(command.levelSet);
    RunMainLoop(!command.levelSet.empty());
  } catch (const std::exception& e) {
    // A missing requester picture and similar truly fatal conditions end up here.
    FatalError(e.what());
  }
}
