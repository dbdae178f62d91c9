#include "launch.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double FromTimespec(const timespec& t) { return double(t.tv_sec) + double(t.tv_nsec) * 1e-9; }

std::string SelfFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
}

}  // namespace

double MonotonicSeconds() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return FromTimespec(t);
}

std::string ProbeLibrary() { return SelfFolder() + "/libqv_present_probe.so"; }

Launched::Launched(const std::vector<std::string>& argv,
                   const std::vector<std::pair<std::string, std::string>>& env) {
  int fds[2];
  if (argv.empty() || pipe2(fds, O_CLOEXEC) != 0) return;
  static int launches = 0;
  const auto home = std::filesystem::temp_directory_path() / ("qv_launch_" + std::to_string(launches++));
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home);
  startedAt_ = MonotonicSeconds();
  pid_ = fork();
  if (pid_ == 0) {
    dup2(fds[1], 3);  // the probe writes here; dup2 clears close-on-exec
    setenv("QV_PROBE_FD", "3", 1);
    setenv("LD_PRELOAD", ProbeLibrary().c_str(), 1);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execv(args[0], args.data());
    _exit(127);
  }
  close(fds[1]);
  probe_ = fds[0];
}

Launched::~Launched() {
  if (pid_ > 0) KillPeakMiB();
  if (probe_ >= 0) close(probe_);
}

double Launched::SecondsToFirstFrame(double timeout) {
  if (pid_ <= 0) return -1;
  pollfd p{probe_, POLLIN, 0};
  if (poll(&p, 1, int(timeout * 1000)) <= 0) return -1;
  int64_t ns = 0;
  if (read(probe_, &ns, sizeof ns) != sizeof ns) return -1;
  return double(ns) * 1e-9 - startedAt_;
}

double Launched::CpuSeconds() const {
  std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
  std::string line;
  std::getline(in, line);
  // Fields after the command name (which may hold spaces) start at ") ".
  std::istringstream rest(line.substr(line.rfind(')') + 2));
  std::string field;
  long ticks = 0;
  for (int i = 3; i <= 15 && rest >> field; ++i)
    if (i == 14 || i == 15) ticks += std::stol(field);
  return double(ticks) / double(sysconf(_SC_CLK_TCK));
}

double Launched::Reap(bool kill, double timeout) {
  if (pid_ <= 0) return -1;
  const double until = MonotonicSeconds() + timeout;
  if (kill) ::kill(pid_, SIGKILL);
  int status = 0;
  rusage usage{};
  for (;;) {
    const pid_t r = wait4(pid_, &status, WNOHANG, &usage);
    if (r == pid_) break;
    if (r < 0 && errno != EINTR) {
      pid_ = -1;
      return -1;
    }
    if (MonotonicSeconds() > until) ::kill(pid_, SIGKILL);
    usleep(20000);
  }
  pid_ = -1;
  if (WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
  return double(usage.ru_maxrss) / 1024.0;  // KiB on Linux
}

double Launched::WaitPeakMiB(double timeout) { return Reap(false, timeout); }
double Launched::KillPeakMiB() { return Reap(true, 5); }
