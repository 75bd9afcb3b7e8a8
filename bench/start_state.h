// What the program's start shows, for the floors that show it with no logic: a 120 % line
// shared evenly by 14 horses.
#ifndef ODDSMITH_BENCH_START_STATE_H
#define ODDSMITH_BENCH_START_STATE_H

constexpr char START_LINE[] = "120";
constexpr char START_HORSES[] = "14";
constexpr char START_ODDS[] = "10.7";
constexpr char START_SHARE[] = " 8.6%";
constexpr int START_BAR_MAX = 10800;
constexpr int START_BAR_POS = 857;

#endif
