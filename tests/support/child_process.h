// Test support: a program started in a pseudo-terminal or with chosen
// standard streams, and waited for with a time limit.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <string>
#include <vector>

struct ExitStatus {
  bool exited = false;    // ended by exit (not a signal, not still running)
  int code = -1;          // exit code, when exited
  int signal = 0;         // the signal that ended it, otherwise
  bool timedOut = false;  // still running at the limit (then killed)
};

// A program whose standard input, output and error are a new terminal.
class PtyProcess {
 public:
  explicit PtyProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
  ~PtyProcess();

  pid_t pid() const { return pid_; }
  int slave() const { return slave_; }
  termios SlaveSettings() const;
  // The terminal's settings before the program started.
  const termios& InitialSettings() const { return initial_; }
  // Waits until the program has switched the terminal out of line mode.
  bool WaitForRawMode(int timeoutMs) const;
  void Send(const std::string& bytes) const;
  // Bytes waiting, unread, on the terminal's input side.
  int PendingInput() const;
  // All the program has written to the terminal so far.
  std::string Output();
  ExitStatus Wait(int timeoutMs);

 private:
  pid_t pid_ = -1;
  int master_ = -1;
  int slave_ = -1;
  std::string output_;
  termios initial_{};
};

// Runs a program with the given descriptor (or none, -1) as standard input,
// standard output and error captured. For the no-console paths.
struct RunResult {
  ExitStatus status;
  std::string out;
  std::string err;
};
RunResult RunWithInput(const std::vector<std::string>& argv, int stdinFd, int timeoutMs,
                       const std::vector<std::string>& env = {});

// Waits for pid with a limit; kills it at the limit.
ExitStatus WaitWithLimit(pid_t pid, int timeoutMs);

// Where the test binaries and the programs are (set by the build).
std::string BuildPath(const std::string& name);

bool SameSettings(const termios& a, const termios& b);
