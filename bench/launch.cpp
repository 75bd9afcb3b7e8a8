// Starts two programs in turn, many times, and reports each run's wall time and peak memory,
// so that both are measured under the same load. Usage: oddsmith-bench-launch RUNS A B
// (each a program path, started without arguments, or a command line in quotes split at
// spaces). Prints "a|b<TAB>microseconds<TAB>peak KiB" per run; fails if any run fails.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

bool Run(const std::string& command, const char* name) {
  std::vector<std::string> words;
  std::istringstream split(command);
  for (std::string word; split >> word;) words.push_back(word);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "oddsmith-bench-launch: cannot start %s\n", argv[0]);
    return false;
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "oddsmith-bench-launch: %s failed (status %d)\n", argv[0], status);
    return false;
  }
  std::printf("%s\t%lld\t%ld\n", name, static_cast<long long>(us), usage.ru_maxrss);
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: oddsmith-bench-launch RUNS A B\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  // One row a start-up, under named columns: which program, its time to the end, its memory.
  std::printf("program\ttime_us\tpeak_kib\n");
  for (int i = 0; i < runs; ++i) {
    // Alternate which goes first, so neither always follows the other's cache footprint.
    const bool aFirst = i % 2 == 0;
    if (!Run(aFirst ? argv[2] : argv[3], aFirst ? "a" : "b")) return 1;
    if (!Run(aFirst ? argv[3] : argv[2], aFirst ? "b" : "a")) return 1;
  }
  return 0;
}
