// KT_IN_FRESH_PROCESS({ ... }): runs the block in a fresh process of the
// test program, started again for the current test alone, and fails the
// test when a check inside the block fails. For state that the program keeps
// once for its whole run (a global page object, a remembered sort column):
// such a test sees that state as the program first sees it, whichever tests
// ran before it in the same process. The test's set-up and the statements
// before the macro run again in the new process; the checks inside the block
// report there, and their messages come back with the failure.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#define KT_IN_FRESH_PROCESS(...)                                         \
  do {                                                                   \
    GTEST_FLAG_SET(death_test_style, "threadsafe");                      \
    EXPECT_EXIT(                                                         \
        {                                                                \
          ::dup2(2, 1); /* the checks' messages go where the parent reads */ \
          __VA_ARGS__                                                    \
          std::fflush(stdout);                                           \
          std::_Exit(::testing::Test::HasFailure() ? 1 : 0);             \
        },                                                               \
        ::testing::ExitedWithCode(0), "");                               \
    GTEST_FLAG_SET(death_test_style, "fast");                            \
  } while (0)
