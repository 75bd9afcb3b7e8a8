// Starts two dialog programs in turn, many times, and times each: from its start to its
// dialog shown and waiting for input, and on to its exit once that dialog is sent WM_CLOSE.
// Usage: launch RUNS A.exe B.exe
// Prints "a|b<TAB>microseconds to shown<TAB>microseconds to exit<TAB>peak KiB" per run.
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
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (code != 0) {
    std::fprintf(stderr, "launch: %s ended with %lu\n", program, code);
    return false;
  }
  std::printf("%s\t%lld\t%lld\t%llu\n", name, Microseconds(start, shown, frequency),
              Microseconds(start, exited, frequency),
              measured ? static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024) : 0ULL);
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: launch RUNS A.exe B.exe\n");
    return 2;
  }
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const int runs = std::atoi(argv[1]);
  // One row a start-up, under named columns: which program, its times to the shown dialog and
  // to its exit, its peak working set.
  std::printf("program\tshown_us\texit_us\tpeak_kib\n");
  for (int i = 0; i < runs; ++i) {
    // Alternate which goes first, so neither always starts right after the other has ended.
    const bool aFirst = i % 2 == 0;
    if (!Run(aFirst ? argv[2] : argv[3], aFirst ? "a" : "b", frequency)) return 1;
    if (!Run(aFirst ? argv[3] : argv[2], aFirst ? "b" : "a", frequency)) return 1;
  }
  return 0;
}
