// The console layer in a real terminal: keys end a program built on it, the
// terminal comes back as it was on every way out, and the key is gone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "tests/support/child_process.h"

namespace {

const std::string kProbe = BuildPath("tests/console_probe");

struct KeyCase {
  const char* what;
  const char* bytes;
};

class ConsoleKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ConsoleKey, EndsTheProgramAndLeavesTheTerminalAsItWas) {
  PtyProcess p({kProbe});
  const termios before = p.InitialSettings();
  ASSERT_TRUE(p.WaitForRawMode(5000));
  EXPECT_EQ(p.SlaveSettings().c_lflag & (ECHO | ISIG), 0u);
  usleep(20000);
  EXPECT_EQ(waitpid(p.pid(), nullptr, WNOHANG), 0) << "no key, no end";
  p.Send(GetParam().bytes);
  const ExitStatus s = p.Wait(5000);
  EXPECT_TRUE(s.exited) << GetParam().what << " signal " << s.signal;
  EXPECT_EQ(s.code, 0) << GetParam().what;
  EXPECT_TRUE(SameSettings(p.SlaveSettings(), before)) << GetParam().what;
  EXPECT_EQ(p.PendingInput(), 0) << "the key must not reach the shell";
}

INSTANTIATE_TEST_SUITE_P(Keys, ConsoleKey,
                         ::testing::Values(KeyCase{"an ordinary key", "k"}, KeyCase{"Ctrl+C", "\x03"},
                                           KeyCase{"Ctrl+Z", "\x1a"}, KeyCase{"Ctrl+\\", "\x1c"},
                                           KeyCase{"an escape sequence", "\x1b[A"}));

TEST(Console, EveryWayOutRestoresTheTerminal) {
  const struct {
    const char* mode;
    int signal;  // sent from outside, or 0
    int code;    // expected exit code, or -1 for "ended by a signal"
    int endSignal;
  } cases[] = {
      {"", SIGTERM, 128 + SIGTERM, 0},
      {"", SIGHUP, 128 + SIGHUP, 0},
      {"", SIGINT, 128 + SIGINT, 0},
      {"fault", 0, 207, 0},
      {"crash", 0, -1, SIGSEGV},
  };
  for (const auto& c : cases) {
    PtyProcess p({kProbe, c.mode});
    const termios before = p.InitialSettings();
    if (c.signal != 0) {
      ASSERT_TRUE(p.WaitForRawMode(5000));
      p.Send("");
      kill(p.pid(), c.signal);
    }
    const ExitStatus s = p.Wait(5000);
    if (c.code >= 0) {
      EXPECT_TRUE(s.exited) << c.mode << c.signal;
      EXPECT_EQ(s.code, c.code) << c.mode << c.signal;
    } else {
      EXPECT_EQ(s.signal, c.endSignal);
    }
    EXPECT_TRUE(SameSettings(p.SlaveSettings(), before)) << c.mode << " " << c.signal;
  }
}

TEST(Console, WithoutAConsoleTheProgramEndsAtOnce) {
  RunResult closed = RunWithInput({kProbe}, -1, 5000);
  EXPECT_TRUE(closed.status.exited);
  EXPECT_EQ(closed.status.code, 1);
  EXPECT_EQ(closed.err, "No way to get the console handle\n");
  EXPECT_EQ(closed.out, "");

  const int writeOnly = open("/dev/null", O_WRONLY);
  RunResult unusable = RunWithInput({kProbe}, writeOnly, 5000);
  close(writeOnly);
  EXPECT_EQ(unusable.status.code, 1);
  EXPECT_EQ(unusable.err, "No way to get the console handle\n");
}

TEST(Console, PipedInputCountsAnyByteAndEndOfInputIsNoKey) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  RunResult keyed = RunWithInput({kProbe}, fds[0], 5000);
  close(fds[0]), close(fds[1]);
  EXPECT_EQ(keyed.status.code, 0);

  ASSERT_EQ(pipe(fds), 0);
  close(fds[1]);  // end of input at once
  RunResult ended = RunWithInput({kProbe}, fds[0], 300);
  close(fds[0]);
  EXPECT_TRUE(ended.status.timedOut) << "end of input is no key";
}

}  // namespace
