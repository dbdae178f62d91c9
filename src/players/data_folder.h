// The data folder that holds the player's own files (profiles, self-made level sets):
// $XDG_DATA_HOME/Ostravin/Quorvale/, by default ~/.local/share/Ostravin/Quorvale/.
// It is created with its missing parents on first use and opened to the user's group,
// so that every local player of a shared install can write there.
#pragma once

#include <memory>
#include <string>

class TFullAccess {
public:
  static constexpr int COMMON_APPDATA = 35;

  std::string Path;  // always ends in "/", or is relative when no home folder is known

  static std::shared_ptr<TFullAccess> Create(const std::string& vendor, const std::string& application);
  // The folder with a trailing "/", or "" when the platform has none for that number.
  static std::string GetSpecialFolder(int folder);
  void SetPath(const std::string& subPath);
  std::string GetPath() const { return Path; }
};
using FullAccessPtr = std::shared_ptr<TFullAccess>;

extern FullAccessPtr DataFolder;

// Creates DataFolder once ("Ostravin", "Quorvale").
void InitDataFolder();
// One game per data folder: locks it for as long as this program runs and clears away
// saves a crash cut short; false when another running game holds it.
bool LockDataFolder();
