// A build of the game run as its own process, started as a player starts it, and what the
// system can tell about it: when it first presented a frame (through the present probe
// loaded with LD_PRELOAD), its CPU time so far, and its peak resident memory once it ends.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

class Launched {
public:
  // Starts argv[0] with these extra environment variables and a fresh data folder.
  Launched(const std::vector<std::string>& argv, const std::vector<std::pair<std::string, std::string>>& env);
  ~Launched();  // kills the process if it still runs
  Launched(const Launched&) = delete;
  Launched& operator=(const Launched&) = delete;

  bool Started() const { return pid_ > 0; }
  // Seconds from the start to the first presented frame; negative when none came in time.
  double SecondsToFirstFrame(double timeout);
  // User and system time the process has used, in seconds.
  double CpuSeconds() const;
  // Waits for the process to end by itself (up to timeout seconds, then kills it); its peak
  // resident memory in MiB, negative when it could not be read.
  double WaitPeakMiB(double timeout);
  // Ends the process now; its peak resident memory in MiB.
  double KillPeakMiB();
  pid_t Pid() const { return pid_; }
  // The exit code once the process has ended by itself; −1 otherwise.
  int ExitCode() const { return exitCode_; }

private:
  double Reap(bool kill, double timeout);
  pid_t pid_ = -1;
  int probe_ = -1;  // read end of the probe's pipe
  double startedAt_ = 0;
  int exitCode_ = -1;
};

// The present probe library next to this benchmark, if built.
std::string ProbeLibrary();
double MonotonicSeconds();
