// Instruction counts of a benchmark's named parts under valgrind's callgrind: zero the counters
// before a part, dump them under its name after it. Without callgrind's header, nothing.
#ifndef ODDSMITH_BENCH_COUNTS_H
#define ODDSMITH_BENCH_COUNTS_H

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define ODDSMITH_ZERO_COUNTS() CALLGRIND_ZERO_STATS
// The request reads name only after its own statements: it must outlive the whole macro.
#define ODDSMITH_DUMP_COUNTS(name) CALLGRIND_DUMP_STATS_AT(name)
#else
#define ODDSMITH_ZERO_COUNTS()
#define ODDSMITH_DUMP_COUNTS(name) static_cast<void>(name)
#endif

#endif
