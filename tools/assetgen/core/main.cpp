// assetgen: writes every embedded resource of the game into one folder.
// This core folder holds what the parts share: the command line and the worker threads
// (here), the list of generators (generators.h), the Output that writes and encodes every
// file deterministically (output.h) and the manifest each full run is checked against
// (manifest.h). The parts live beside it: art, audio, fonts, levels and texts.
//   assetgen --assets <assets dir> --out <folder> [--only name,name] [--jobs n]
//   assetgen --icons <folder> --app-id <id>   (the desktop icons for installing, only)
// The folder is emptied first so that nothing stale is embedded; a stamp file marks a
// complete run for the build.
#include "art_generators.h"
#include "generators.h"
#include "manifest.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>

namespace {

struct Options {
  std::filesystem::path assets;
  std::filesystem::path out;
  std::set<std::string> only;
  unsigned jobs = 2;
  std::filesystem::path icons;
  std::string appId;
};

bool ParseArgs(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--assets" && hasValue) {
      o.assets = argv[++i];
    } else if (a == "--out" && hasValue) {
      o.out = argv[++i];
    } else if (a == "--only" && hasValue) {
      std::stringstream list(argv[++i]);
      for (std::string name; std::getline(list, name, ',');) o.only.insert(name);
    } else if (a == "--jobs" && hasValue) {
      o.jobs = unsigned(std::max(1, std::atoi(argv[++i])));
    } else if (a == "--icons" && hasValue) {
      o.icons = argv[++i];
    } else if (a == "--app-id" && hasValue) {
      o.appId = argv[++i];
    } else {
      return false;
    }
  }
  if (!o.icons.empty()) return !o.appId.empty();
  return !o.assets.empty() && !o.out.empty();
}

// Every written file must be in the manifest with its image size; a full run must write
// all of them.
bool CheckAgainstManifest(const Output& out, bool fullRun) {
  std::map<std::string, const ManifestEntry*> expected;
  for (const ManifestEntry& e : Manifest()) expected[e.name] = &e;
  bool ok = true;
  const auto sizes = out.ImageSizes();
  std::set<std::string> written;
  for (const std::string& f : out.Files()) {
    written.insert(f);
    auto it = expected.find(f);
    if (it == expected.end()) {
      std::fprintf(stderr, "assetgen: %s is not in the manifest\n", f.c_str());
      ok = false;
      continue;
    }
    auto s = sizes.find(f);
    if (it->second->width && (s == sizes.end() || s->second.first != it->second->width ||
                              s->second.second != it->second->height)) {
      std::fprintf(stderr, "assetgen: %s must be %dx%d\n", f.c_str(), it->second->width,
                   it->second->height);
      ok = false;
    }
  }
  if (fullRun) {
    int missing = 0;
    for (const ManifestEntry& e : Manifest())
      if (!written.count(e.name)) ++missing;
    if (missing) {
      std::fprintf(stderr, "assetgen: %d manifest files were not generated\n", missing);
      ok = false;
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  if (!ParseArgs(argc, argv, opt)) {
    std::fprintf(stderr, "usage: assetgen --assets DIR --out DIR [--only a,b] [--jobs n]\n"
                         "       assetgen --icons DIR --app-id ID\n");
    return 2;
  }
  if (!opt.icons.empty()) {
    try {
      std::filesystem::remove_all(opt.icons);
      WriteDesktopIcons(opt.icons, opt.appId);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "assetgen: icons: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  std::vector<const Generator*> todo;
  for (const Generator& g : AllGenerators())
    if (opt.only.empty() || opt.only.count(g.name)) todo.push_back(&g);

  // A partial run (--only) keeps the other files; a full run starts from nothing.
  if (opt.only.empty()) std::filesystem::remove_all(opt.out);
  std::filesystem::create_directories(opt.out);
  std::filesystem::remove(opt.out / ".stamp");

  Output out(opt.out);
  Sources sources{opt.assets};
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  auto worker = [&] {
    for (size_t i = next++; i < todo.size(); i = next++) {
      const auto start = std::chrono::steady_clock::now();
      try {
        todo[i]->run(out, sources);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s: %s\n", todo[i]->name.c_str(), e.what());
        failed = true;
      }
      const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::fprintf(stderr, "assetgen: %-12s %6.2f s\n", todo[i]->name.c_str(), s);
    }
  };
  std::vector<std::thread> threads;
  for (unsigned t = 0; t < opt.jobs; ++t) threads.emplace_back(worker);
  for (std::thread& t : threads) t.join();
  if (failed) return 1;
  if (!CheckAgainstManifest(out, opt.only.empty())) return 1;

  std::ofstream(opt.out / ".stamp") << out.Files().size() << " files\n";
  std::fprintf(stderr, "assetgen: wrote %zu files\n", out.Files().size());
  return 0;
}
