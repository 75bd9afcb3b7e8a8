// A minimal check for the Win32 test programs, which run under Wine without a test framework:
// a failed EXPECT prints its line and message and the program's result becomes 1.
#ifndef ODDSMITH_TESTS_WIN32_CHECK_H
#define ODDSMITH_TESTS_WIN32_CHECK_H

#include <cstdio>

inline int g_failures = 0;

#define EXPECT(condition, ...)                                     \
  do {                                                             \
    if (!(condition)) {                                            \
      ++g_failures;                                                \
      std::fprintf(stderr, "line %d: %s: ", __LINE__, #condition); \
      std::fprintf(stderr, __VA_ARGS__);                           \
      std::fprintf(stderr, "\n");                                  \
    }                                                              \
  } while (0)

inline int CheckResult() {
  std::printf("%s\n", g_failures ? "FAILED" : "passed");
  return g_failures ? 1 : 0;
}

#endif
