#include "players/data_folder.h"

#include "media/debug.h"
#include "media/stream.h"

#include <cstdlib>
#include <filesystem>

FullAccessPtr DataFolder;

namespace {

std::string WithSlash(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// Opens the folders made for us to the group; the user's own data home is left alone.
bool GrantGroupAccess(const std::string& base, const std::string& subPath) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path p = fs::path(base);
  bool ok = true;
  for (const auto& part : fs::path(subPath)) {
    if (part.empty()) continue;
    p /= part;
    fs::permissions(p, fs::perms::group_all, fs::perm_options::add, ec);
    if (ec) ok = false;
  }
  return ok;
}

}  // namespace

FullAccessPtr TFullAccess::Create(const std::string& vendor, const std::string& application) {
  auto folder = std::make_shared<TFullAccess>();
  folder->SetPath(vendor + "/" + application + "/");
  return folder;
}

std::string TFullAccess::GetSpecialFolder(int folder) {
  if (folder != COMMON_APPDATA) return "";
  const std::string xdg = Env("XDG_DATA_HOME");
  if (!xdg.empty() && xdg.front() == '/') return WithSlash(xdg);
  const std::string home = Env("HOME");
  if (!home.empty()) return WithSlash(home) + ".local/share/";
  return "";
}

void TFullAccess::SetPath(const std::string& subPath) {
  const std::string base = GetSpecialFolder(COMMON_APPDATA);
  Path = WithSlash(base + subPath);
  if (IsDirectory(Path)) {
    DebugLog("Folder already exists: " + Path);
    return;
  }
  DebugLog("Creating New Folder: " + Path);
  const bool created = CreateDirectories(Path);
  DebugLog("CreateDir=" + std::to_string(int(created)));
  const bool granted = created && GrantGroupAccess(base, subPath);
  DebugLog("FullAccess=" + std::to_string(int(granted)));
}

void InitDataFolder() {
  static bool done = false;
  if (done) return;
  done = true;
  DataFolder = TFullAccess::Create("Ostravin", "Quorvale");
}

bool LockDataFolder() {
  InitDataFolder();
  if (!LockFileForLife(DataFolder->GetPath() + "quorvale.lock")) return false;
  // No other game saves here now: what a crash left half-written can go.
  RemoveLeftoverTemporaries(DataFolder->GetPath());
  return true;
}
