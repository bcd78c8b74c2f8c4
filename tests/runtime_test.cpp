// The runtime: the program's floating-point environment, Round, and the
// run-time error stop with its exit codes and report.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>

#include "core/force_model.h"
#include "display/screen_mapping.h"
#include "programs/catalogue.h"
#include "runtime/round.h"
#include "runtime/runtime.h"
#include "tests/support/child_process.h"
#include "core/runge_kutta.h"

namespace {

// The report goes to standard output; the death test reads standard error.
void StartWithReportOnStderr() {
  dup2(2, 1);
  runtime::Start();
}

// One line of "  0x" and a pointer's worth of upper-case hex digits.
const std::string kAddress = "0x[0-9A-F]{" + std::to_string(2 * sizeof(void*)) + "}";

std::string ReportPattern(int error) {
  return "^Runtime error " + std::to_string(error) + " at " + kAddress + "\n  " + kAddress + "\n(  " + kAddress +
         "\n)+\n$";
}

template <typename F>
void Fault(F f) {
  StartWithReportOnStderr();
  volatile double sink = f();
  (void)sink;
  std::_Exit(0);  // not reached when the fault stops the program
}

PlanarParameters Planar(double x1, double y1, double x2, double y2, int coupling) {
  PlanarParameters p = kOrbit2dA;
  p.couplingOnBody1 = p.couplingOnBody2 = Coefficient(coupling);
  p.initialState = {{x1, 0, y1, 0, x2, 0, y2, 0}};
  return p;
}

double Acceleration2(const PlanarParameters& p) { return Derivative<Model::Planar>(2, p.initialState, p); }

struct FaultCase {
  const char* what;
  int error;
  double (*run)();
};

const FaultCase kFaults[] = {
    {"two bodies at the same point (0/0)", 207, [] { return Acceleration2(Planar(50, 7, 50, 7, 90)); }},
    {"same point with zero coupling (0*0/0)", 207, [] { return Acceleration2(Planar(50, 7, 50, 7, 0)); }},
    {"a body exactly at the origin (0/0)", 207, [] { return Acceleration2(Planar(0, 0, 50, 7, 90)); }},
    {"a distance cube that underflows to zero (x/0)", 200,
     [] { return Acceleration2(Planar(0, 7, 0x1p-370, 7, 90)); }},
    {"a distance cube too large for binary64", 205, [] { return Acceleration2(Planar(1e103, 0, 50, 7, 90)); }},
    {"a step whose new state overflows", 205,
     [] {
       PlanarParameters p = Planar(1e300, 0, 50, 7, 90);
       p.initialState[2] = 1.7e308;  // x + vx·h overflows
       p.initialState[1] = 1e10;
       RungeKuttaStep<Model::Planar>(p.initialState, p);
       return p.initialState[1];
     }},
    {"Round out of range", 207, [] { return static_cast<double>(Round(Extended{2147483647.5})); }},
    {"Round of a NaN", 207, [] { return static_cast<double>(Round(Extended{std::nan("")})); }},
    {"PixelY of a quotient out of range", 207, [] { return static_cast<double>(PixelY(3e9, 175)); }},
};

class RunTimeErrorStop : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RunTimeErrorStop, EndsWithItsCodeAndReport) {
  const FaultCase& c = GetParam();
  EXPECT_EXIT(Fault(c.run), ::testing::ExitedWithCode(c.error), ReportPattern(c.error)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Faults, RunTimeErrorStop, ::testing::ValuesIn(kFaults));

TEST(RunTimeErrorStop, RunsTheExitHooksBeforeTheReport) {
  EXPECT_EXIT(
      {
        StartWithReportOnStderr();
        runtime::AddExitHook([] { (void)!write(2, "hook\n", 5); });
        volatile double r = Acceleration2(Planar(1e103, 0, 50, 7, 90));
        (void)r;
      },
      ::testing::ExitedWithCode(205), "^hook\nRuntime error 205 at ");
}

TEST(RunTimeErrorStop, ReportsTheFaultingInstructionThenTheCallers) {
  int input[2];
  ASSERT_EQ(pipe(input), 0);
  const RunResult r = RunWithInput({BuildPath("tests/console_probe"), "fault"}, input[0], 5000);
  close(input[0]), close(input[1]);
  EXPECT_EQ(r.status.code, 207);
  std::vector<std::string> lines;
  for (std::size_t at = 0, next; (next = r.out.find('\n', at)) != std::string::npos; at = next + 1)
    lines.push_back(r.out.substr(at, next - at));
  ASSERT_GE(lines.size(), 4u) << r.out;
  const std::string first = lines[0].substr(lines[0].rfind(' ') + 1);
  EXPECT_EQ(lines[0], "Runtime error 207 at " + first);
  EXPECT_EQ(lines[1], "  " + first);
  EXPECT_EQ(lines.back(), "");
  // The callers' return addresses follow: into ProgramMain, into main, into
  // the C library's start.
  EXPECT_GE(lines.size(), 6u) << r.out;
}

TEST(FloatingPointEnvironment, IsSetByStart) {
  EXPECT_EXIT(
      {
        runtime::Start();
        // Bit 6 is reserved and reads as one.
        std::_Exit((runtime::ControlWord() & ~0x40) == runtime::kProgramControlWord ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(
      {
        runtime::Start();
        // Underflow, denormals and inexact results are not faults.
        volatile double tiny = 0x1p-1000;
        volatile double r = D(Extended{tiny} * Extended{tiny});
        std::_Exit(r == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(Round, NearestTiesToEvenWhateverTheRoundingMode) {
  const struct {
    long double value;
    std::int32_t rounded;
  } cases[] = {
      {0.5L, 0},   {1.5L, 2},   {2.5L, 2},   {-0.5L, 0},           {-1.5L, -2},
      {-2.5L, -2}, {2.4L, 2},   {-2.6L, -3}, {2147483647.4L, INT_MAX}, {-2147483648.5L, INT_MIN},
  };
  const std::uint16_t saved = runtime::ControlWord();
  for (std::uint16_t rounding : {0x0000, 0x0400, 0x0800, 0x0C00}) {  // nearest, down, up, toward zero
    const std::uint16_t cw = static_cast<std::uint16_t>((saved & ~0x0C00) | rounding);
    __asm__ volatile("fldcw %0" : : "m"(cw));
    for (const auto& c : cases) EXPECT_EQ(Round(Extended::Literal(c.value)), c.rounded) << static_cast<double>(c.value);
    EXPECT_EQ(runtime::ControlWord(), cw) << "Round restores the caller's control word";
    __asm__ volatile("fldcw %0" : : "m"(saved));
  }
}

}  // namespace
