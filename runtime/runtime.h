// The runtime: program start, the floating-point environment, the ways out.
//
// main() (runtime/main.cpp) calls Start() before any of the program's code and
// then ProgramMain(). Start() sets the program's x87 environment on this
// thread and arranges that every way out of the process runs the exit hooks
// (restore the terminal, close the window, flush a tool's output):
//  - the normal end (exit or return from ProgramMain);
//  - the run-time error stop: an x87 invalid operation, division by zero or
//    overflow ends the program with error 207, 200 or 205 and a report on
//    standard output;
//  - SIGTERM, SIGHUP, and SIGINT or SIGQUIT sent from outside (the terminal
//    sends none: its Ctrl+C is a key): exit status 128 + the signal;
//  - a crash (SIGSEGV, SIGBUS, SIGILL, SIGABRT): the signal's own end.
// Exit hooks run inside signal handlers: they must be async-signal-safe, take
// no lock and allocate nothing.
#pragma once

#include <cstdint>

namespace runtime {

// x87 control word of the program: 64-bit significand, round to nearest,
// invalid operation, division by zero and overflow unmasked (faults);
// denormal operand, underflow and inexact result masked.
inline constexpr std::uint16_t kProgramControlWord = 0x1332;

enum class RunTimeError : int { DivisionByZero = 200, Overflow = 205, InvalidOperation = 207 };

void SetProgramFpEnvironment();
std::uint16_t ControlWord();

// Sets the floating-point environment and installs the handlers of the ways out.
void Start();

using ExitHook = void (*)();
// Adds a hook to run on every way out, once, in the order added. At most 4.
void AddExitHook(ExitHook hook);

// Runs the exit hooks (once per process; later calls do nothing).
void RunExitHooks();

// Writes the run-time error report for `error` at `address` with the return
// addresses found from frame pointer `frame`, and ends the process.
[[noreturn]] void ErrorStop(RunTimeError error, std::uintptr_t address, std::uintptr_t frame);

}  // namespace runtime

// The program's own entry, called by the runtime's main() after Start().
int ProgramMain(int argc, char** argv);
