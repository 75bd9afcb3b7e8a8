// Starts dialog programs in turn, many times, and times each: from its start to its dialog
// shown and waiting for input, and on to its exit once that dialog is sent WM_CLOSE, with the
// processor time the process took (user and kernel) beside the wall time.
// Usage: launch RUNS A.exe B.exe [C.exe ...]
// Prints "a|b|c...<TAB>microseconds to shown<TAB>microseconds to exit<TAB>peak KiB<TAB>CPU
// microseconds" per run.
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

long long Microseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return (to.QuadPart - from.QuadPart) * 1000000 / frequency.QuadPart;
}

bool Run(char* program, const char* name, LARGE_INTEGER frequency) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start, shown, exited;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, program, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "launch: cannot start %s (error %lu)\n", program, GetLastError());
    return false;
  }
  // Waiting for input means the dialog has been created, shown and painted; the window is
  // looked for until it is seen, in case the wait returns early.
  WaitForInputIdle(process.hProcess, 20000);
  Search search{process.dwProcessId, nullptr};
  for (int i = 0; i < 20000 && !search.found; ++i) {
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  QueryPerformanceCounter(&shown);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  const bool measured = GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  DWORD code = 1;
  if (search.found) {
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 20000);
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    std::fprintf(stderr, "launch: %s showed no window\n", program);
    TerminateProcess(process.hProcess, 1);
  }
  QueryPerformanceCounter(&exited);
  FILETIME created, ended, kernel, user;
  unsigned long long cpu = 0;  // in 100 ns
  if (GetProcessTimes(process.hProcess, &created, &ended, &kernel, &user)) {
    const auto ticks = [](FILETIME time) {
      return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    cpu = ticks(kernel) + ticks(user);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (code != 0) {
    std::fprintf(stderr, "launch: %s ended with %lu\n", program, code);
    return false;
  }
  std::printf("%s\t%lld\t%lld\t%llu\t%llu\n", name, Microseconds(start, shown, frequency),
              Microseconds(start, exited, frequency),
              measured ? static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024) : 0ULL,
              cpu / 10);
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr int PROGRAMS_MAX = 8;
  const int programs = argc - 2;
  if (programs < 2 || programs > PROGRAMS_MAX) {
    std::fprintf(stderr, "usage: launch RUNS A.exe B.exe [C.exe ...] (at most %d)\n", PROGRAMS_MAX);
    return 2;
  }
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const int runs = std::atoi(argv[1]);
  static const char* const NAMES[PROGRAMS_MAX] = {"a", "b", "c", "d", "e", "f", "g", "h"};
  // One row a start-up, under named columns: which program, its times to the shown dialog and
  // to its exit, its peak working set, its processor time.
  std::printf("program\tshown_us\texit_us\tpeak_kib\tcpu_us\n");
  for (int i = 0; i < runs; ++i) {
    // Interleaved, each round starting with the next program, so that none always starts right
    // after the same other has ended.
    for (int k = 0; k < programs; ++k) {
      const int n = (i + k) % programs;
      if (!Run(argv[2 + n], NAMES[n], frequency)) return 1;
    }
  }
  return 0;
}
