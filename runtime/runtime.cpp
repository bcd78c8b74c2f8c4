// The runtime's start, its exit hooks and the handlers of every way out.
//
// The run-time error stop runs inside the SIGFPE handler, on the thread that
// faulted: it allocates nothing and takes no lock. It formats its report into
// a fixed buffer and writes it with write(2), then _exit()s.
#include "runtime/runtime.h"

#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace runtime {
namespace {

constexpr int kMaxHooks = 4;
ExitHook hooks[kMaxHooks];
std::atomic<int> hookCount{0};
std::atomic<bool> hooksRun{false};

// The main thread's stack, for a frame-pointer walk that never leaves it.
std::uintptr_t stackLow = 0;
std::uintptr_t stackHigh = 0;

// An alternate stack so that a stack overflow still reaches its handler.
alignas(16) unsigned char alternateStack[64 * 1024];

void RunExitHooksAtExit() { RunExitHooks(); }

// The error stop's report, formatted without allocation.
struct Report {
  char text[4096];
  int length = 0;

  void Append(const char* s) {
    while (*s && length < static_cast<int>(sizeof text)) text[length++] = *s++;
  }
  void AppendDecimal(int v) {
    char digits[12];
    int n = 0;
    do digits[n++] = static_cast<char>('0' + v % 10), v /= 10;
    while (v > 0);
    while (n > 0 && length < static_cast<int>(sizeof text)) text[length++] = digits[--n];
  }
  // "0x" and the address in upper-case hex, as many digits as a pointer has.
  void AppendAddress(std::uintptr_t a) {
    Append("0x");
    for (int shift = static_cast<int>(sizeof a) * 8 - 4; shift >= 0; shift -= 4)
      if (length < static_cast<int>(sizeof text))
        text[length++] = "0123456789ABCDEF"[(a >> shift) & 0xF];
  }
};

void WriteAll(int fd, const char* p, int n) {
  while (n > 0) {
    const ssize_t w = write(fd, p, static_cast<size_t>(n));
    if (w <= 0) return;
    p += w;
    n -= static_cast<int>(w);
  }
}

bool OnStack(std::uintptr_t p) {
  return p >= stackLow && p + 2 * sizeof(std::uintptr_t) <= stackHigh &&
         p % sizeof(std::uintptr_t) == 0;
}

void OnFloatingPointFault(int, siginfo_t* info, void* context) {
  const auto* uc = static_cast<const ucontext_t*>(context);
  RunTimeError error = RunTimeError::InvalidOperation;
  std::uintptr_t address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  std::uintptr_t frame = 0;
#if defined(__x86_64__)
  frame = static_cast<std::uintptr_t>(uc->uc_mcontext.gregs[REG_RBP]);
  if (const auto* fp = uc->uc_mcontext.fpregs) {
    const unsigned pending = fp->swd & ~fp->cwd & 0x3F;
    if (fp->rip != 0) address = fp->rip;  // the x87 instruction that faulted
    if (pending & 0x01) error = RunTimeError::InvalidOperation;
    else if (pending & 0x04) error = RunTimeError::DivisionByZero;
    else if (pending & 0x08) error = RunTimeError::Overflow;
  }
#elif defined(__i386__)
  frame = static_cast<std::uintptr_t>(uc->uc_mcontext.gregs[REG_EBP]);
  if (const auto* fp = uc->uc_mcontext.fpregs) {
    const unsigned pending = fp->sw & ~fp->cw & 0x3F;
    if (fp->ipoff != 0) address = fp->ipoff;
    if (pending & 0x01) error = RunTimeError::InvalidOperation;
    else if (pending & 0x04) error = RunTimeError::DivisionByZero;
    else if (pending & 0x08) error = RunTimeError::Overflow;
  }
#endif
  if (info->si_code == FPE_INTDIV) error = RunTimeError::DivisionByZero;
  ErrorStop(error, address, frame);
}

void OnTermination(int sig) {
  RunExitHooks();
  _exit(128 + sig);
}

void OnCrash(int sig) {
  RunExitHooks();
  signal(sig, SIG_DFL);
  raise(sig);
}

void Install(int sig, void (*handler)(int)) {
  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sa_handler = handler;
  sa.sa_flags = SA_ONSTACK;
  sigemptyset(&sa.sa_mask);
  sigaction(sig, &sa, nullptr);
}

void FindStack() {
  pthread_attr_t attr;
  if (pthread_getattr_np(pthread_self(), &attr) != 0) return;
  void* base = nullptr;
  size_t size = 0;
  if (pthread_attr_getstack(&attr, &base, &size) == 0) {
    stackLow = reinterpret_cast<std::uintptr_t>(base);
    stackHigh = stackLow + size;
  }
  pthread_attr_destroy(&attr);
}

}  // namespace

void SetProgramFpEnvironment() {
  const std::uint16_t cw = kProgramControlWord;
  __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(cw));
}

std::uint16_t ControlWord() {
  std::uint16_t cw;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

void AddExitHook(ExitHook hook) {
  // The normal end runs the hooks too, also in a process that never called
  // Start() (a tool or test that only uses a library).
  static const bool atExit = atexit(RunExitHooksAtExit) == 0;
  (void)atExit;
  const int n = hookCount.load();
  if (n >= kMaxHooks) return;
  hooks[n] = hook;
  hookCount.store(n + 1);
}

void RunExitHooks() {
  if (hooksRun.exchange(true)) return;
  const int n = hookCount.load();
  for (int i = 0; i < n; ++i) hooks[i]();
}

[[noreturn]] void ErrorStop(RunTimeError error, std::uintptr_t address, std::uintptr_t frame) {
  RunExitHooks();  // the window is closed before the report is written
  static Report report;
  report.length = 0;
  report.Append("Runtime error ");
  report.AppendDecimal(static_cast<int>(error));
  report.Append(" at ");
  report.AppendAddress(address);
  report.Append("\n  ");
  report.AppendAddress(address);
  report.Append("\n");
  for (int depth = 0; depth < 64 && OnStack(frame); ++depth) {
    const auto* f = reinterpret_cast<const std::uintptr_t*>(frame);
    const std::uintptr_t ret = f[1];
    if (ret == 0) break;
    report.Append("  ");
    report.AppendAddress(ret);
    report.Append("\n");
    if (f[0] <= frame) break;
    frame = f[0];
  }
  report.Append("\n");
  WriteAll(1, report.text, report.length);
  _exit(static_cast<int>(error));
}

void Start() {
  FindStack();
  stack_t ss;
  ss.ss_sp = alternateStack;
  ss.ss_size = sizeof alternateStack;
  ss.ss_flags = 0;
  sigaltstack(&ss, nullptr);

  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sa_sigaction = OnFloatingPointFault;
  sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigfillset(&sa.sa_mask);
  sigaction(SIGFPE, &sa, nullptr);

  for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) Install(sig, OnTermination);
  for (int sig : {SIGSEGV, SIGBUS, SIGILL, SIGABRT}) Install(sig, OnCrash);

  SetProgramFpEnvironment();
}

}  // namespace runtime
