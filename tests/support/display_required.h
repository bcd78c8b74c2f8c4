// Window tests need an X display. Without one they are skipped, unless
// ORBITS_REQUIRE_DISPLAY is set (as the test script does), when they fail.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#define REQUIRE_DISPLAY()                                                                \
  do {                                                                                   \
    const char* d = std::getenv("DISPLAY");                                              \
    if (d == nullptr || *d == '\0') {                                                    \
      const char* r = std::getenv("ORBITS_REQUIRE_DISPLAY");                             \
      if (r != nullptr && *r != '\0') FAIL() << "no X display";                         \
      GTEST_SKIP() << "no X display";                                                    \
    }                                                                                    \
  } while (0)
