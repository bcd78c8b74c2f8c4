// Crt on a POSIX console.
//
// KeyPressed never consumes input: it asks how many bytes wait on standard
// input (FIONREAD), so the key that ended a program is still queued when the
// terminal settings are restored with TCSAFLUSH, which discards it; it never
// reaches the shell.
#include "crt/crt.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "runtime/runtime.h"

namespace {

termios savedTerminal;
bool terminalTaken = false;

void RestoreTerminal() {
  if (terminalTaken) tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
}

[[noreturn]] void ConsoleFailure(const char* message) {
  std::fprintf(stderr, "%s\n", message);
  std::exit(1);
}

}  // namespace

void CrtStart() {
  // Sleep as asked: the default timer slack would add 50 us to every Delay.
  prctl(PR_SET_TIMERSLACK, 1UL);
  const int flags = fcntl(STDIN_FILENO, F_GETFL);
  if (flags < 0 || (flags & O_ACCMODE) == O_WRONLY) ConsoleFailure("No way to get the console handle");
  if (!isatty(STDIN_FILENO)) return;  // a pipe or a file: bytes are keys as they stand
  if (tcgetattr(STDIN_FILENO, &savedTerminal) != 0)
    ConsoleFailure("No way to get console screen buffer info");
  termios raw = savedTerminal;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
  raw.c_iflag &= ~static_cast<tcflag_t>(IXON);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  terminalTaken = true;
  runtime::AddExitHook(RestoreTerminal);
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
}

bool KeyPressed() {
  int waiting = 0;
  if (ioctl(STDIN_FILENO, FIONREAD, &waiting) != 0) return false;
  return waiting > 0;
}

void Delay(std::uint16_t ms) {
  timespec left{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
  while (clock_nanosleep(CLOCK_MONOTONIC, 0, &left, &left) == EINTR) {
  }
}
