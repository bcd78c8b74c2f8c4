#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

long NowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

[[noreturn]] void Exec(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  for (const std::string& e : env) putenv(strdup(e.c_str()));
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

std::string Drain(int fd) {
  std::string all;
  char buf[4096];
  for (;;) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) break;
    all.append(buf, static_cast<size_t>(n));
  }
  return all;
}

}  // namespace

std::string BuildPath(const std::string& name) { return std::string(ORBITS_BUILD_DIR) + "/" + name; }

ExitStatus WaitWithLimit(pid_t pid, int timeoutMs) {
  ExitStatus s;
  const long end = NowMs() + timeoutMs;
  int status = 0;
  for (;;) {
    const pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) break;
    if (NowMs() > end) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      s.timedOut = true;
      return s;
    }
    usleep(2000);
  }
  if (WIFEXITED(status)) s.exited = true, s.code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) s.signal = WTERMSIG(status);
  return s;
}

PtyProcess::PtyProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) return;
  tcgetattr(slave_, &initial_);
  pid_ = fork();
  if (pid_ == 0) {
    setsid();
    ioctl(slave_, TIOCSCTTY, 0);
    dup2(slave_, 0), dup2(slave_, 1), dup2(slave_, 2);
    close(master_);
    if (slave_ > 2) close(slave_);
    Exec(argv, env);
  }
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyProcess::~PtyProcess() {
  if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (master_ >= 0) close(master_);
  if (slave_ >= 0) close(slave_);
}

termios PtyProcess::SlaveSettings() const {
  termios t{};
  tcgetattr(slave_, &t);
  return t;
}

bool PtyProcess::WaitForRawMode(int timeoutMs) const {
  const long end = NowMs() + timeoutMs;
  while (NowMs() < end) {
    if ((SlaveSettings().c_lflag & ICANON) == 0) return true;
    usleep(2000);
  }
  return false;
}

void PtyProcess::Send(const std::string& bytes) const {
  const ssize_t n = write(master_, bytes.data(), bytes.size());
  (void)n;
}

int PtyProcess::PendingInput() const {
  int n = -1;
  ioctl(slave_, FIONREAD, &n);
  return n;
}

std::string PtyProcess::Output() {
  output_ += Drain(master_);
  return output_;
}

ExitStatus PtyProcess::Wait(int timeoutMs) {
  ExitStatus s = WaitWithLimit(pid_, timeoutMs);
  Output();
  pid_ = -1;
  return s;
}

RunResult RunWithInput(const std::vector<std::string>& argv, int stdinFd, int timeoutMs,
                       const std::vector<std::string>& env) {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    if (stdinFd >= 0) dup2(stdinFd, 0);
    else close(0);
    dup2(out[1], 1), dup2(err[1], 2);
    close(out[0]), close(err[0]), close(out[1]), close(err[1]);
    Exec(argv, env);
  }
  close(out[1]), close(err[1]);
  RunResult r;
  // Read both while waiting, so a chatty child never blocks on a full pipe.
  fcntl(out[0], F_SETFL, O_NONBLOCK);
  fcntl(err[0], F_SETFL, O_NONBLOCK);
  const long end = NowMs() + timeoutMs;
  int status = 0;
  bool done = false;
  while (!done) {
    r.out += Drain(out[0]);
    r.err += Drain(err[0]);
    const pid_t w = waitpid(pid, &status, WNOHANG);
    if (w == pid) done = true;
    else if (NowMs() > end) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      r.status.timedOut = true;
      done = true;
    } else {
      pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
      poll(fds, 2, 5);
    }
  }
  fcntl(out[0], F_SETFL, 0);
  fcntl(err[0], F_SETFL, 0);
  r.out += Drain(out[0]);
  r.err += Drain(err[0]);
  close(out[0]), close(err[0]);
  if (!r.status.timedOut) {
    if (WIFEXITED(status)) r.status.exited = true, r.status.code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) r.status.signal = WTERMSIG(status);
  }
  return r;
}

bool SameSettings(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
         std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}
