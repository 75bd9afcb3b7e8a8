// Starts dialog programs in turn, many times, and times each: from its start to its dialog
// shown and waiting for input, and on to its exit once that dialog is sent WM_CLOSE, with the
// processor time the process took to its shown dialog (user and kernel) beside the wall time.
// Usage: launch RUNS "A.exe [WORDS]" "B.exe [WORDS]" [...]
// Prints "a|b|c...<TAB>microseconds to shown<TAB>microseconds to exit<TAB>peak KiB<TAB>CPU
// microseconds to shown" per run.
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A small file's text, at most max - 1 bytes; false where it cannot be read.
bool ReadSmallFile(const char* path, char* text, DWORD max) {
  text[0] = '\0';
  const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD got = 0;
  const bool read = ReadFile(file, text, max - 1, &got, nullptr) && got > 0;
  text[read ? got : 0] = '\0';
  CloseHandle(file);
  return read;
}

// Under Wine, GetProcessTimes of another process answers with the caller's own times. Each
// program Wine starts is a Linux process, whose threads' time on the processor Linux keeps in
// /proc (drive Z: under Wine) to the nanosecond: the process is the newest whose name is the
// program's file name (the first 15 letters of it, as Linux keeps them). Threads that have
// already ended are not counted (the program's start ends none); -1 where it cannot be read.
long long LinuxCpuMicroseconds(const char* commandLine) {
  const char* name = commandLine;
  const char* end = std::strchr(commandLine, ' ');
  if (!end) end = commandLine + std::strlen(commandLine);
  for (const char* c = commandLine; c < end; ++c) {
    if (*c == '\\' || *c == '/') name = c + 1;
  }
  const std::size_t nameLength = end - name < 15 ? static_cast<std::size_t>(end - name) : 15;
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return -1;
  unsigned long long newest = 0;
  char found[MAX_PATH] = "";
  do {
    if (entry.cFileName[0] < '1' || entry.cFileName[0] > '9') continue;
    char path[MAX_PATH], stat[1024];
    std::snprintf(path, sizeof path, "Z:\\proc\\%s\\stat", entry.cFileName);
    ReadSmallFile(path, stat, sizeof stat);
    // "pid (name) state ppid ...": the start time is the 22nd field, 19 spaces after the one
    // before the state.
    const char* open = std::strchr(stat, '(');
    const char* close = std::strrchr(stat, ')');
    if (!open || !close || static_cast<std::size_t>(close - open - 1) != nameLength ||
        std::strncmp(open + 1, name, nameLength) != 0) {
      continue;
    }
    const char* field = close + 1;
    for (int i = 0; i < 19 && field; ++i) field = std::strchr(field + 1, ' ');
    const unsigned long long started = field ? std::strtoull(field, nullptr, 10) : 0;
    if (started >= newest) {
      newest = started;
      std::snprintf(found, sizeof found, "Z:\\proc\\%s\\task", entry.cFileName);
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  if (!found[0]) return -1;
  char pattern[MAX_PATH];
  std::snprintf(pattern, sizeof pattern, "%s\\*", found);
  const HANDLE tasks = FindFirstFileA(pattern, &entry);
  if (tasks == INVALID_HANDLE_VALUE) return -1;
  unsigned long long nanoseconds = 0;
  bool all = true;
  do {
    if (entry.cFileName[0] < '1' || entry.cFileName[0] > '9') continue;
    char path[MAX_PATH], schedule[128];
    std::snprintf(path, sizeof path, "%s\\%s\\schedstat", found, entry.cFileName);
    all = ReadSmallFile(path, schedule, sizeof schedule) && all;
    nanoseconds += std::strtoull(schedule, nullptr, 10);  // its first field: time run
  } while (FindNextFileA(tasks, &entry));
  FindClose(tasks);
  return all && nanoseconds > 0 ? static_cast<long long>(nanoseconds / 1000) : -1;
}

// The processor time the running process has taken so far, user and kernel; -1 unknown.
long long CpuMicroseconds(HANDLE process, const char* commandLine) {
  if (UnderWine()) return LinuxCpuMicroseconds(commandLine);
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
  const auto ticks = [](FILETIME time) {  // in 100 ns
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return static_cast<long long>((ticks(kernel) + ticks(user)) / 10);
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
  // Waiting for input, it takes no more time until it is closed.
  const long long cpu = CpuMicroseconds(process.hProcess, program);
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
  if (cpu < 0) {
    std::fprintf(stderr, "launch: cannot read the processor time of %s\n", program);
    return false;
  }
  std::printf("%s\t%lld\t%lld\t%llu\t%lld\n", name, Microseconds(start, shown, frequency),
              Microseconds(start, exited, frequency),
              measured ? static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024) : 0ULL,
              cpu);
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr int PROGRAMS_MAX = 11;
  const int programs = argc - 2;
  if (programs < 2 || programs > PROGRAMS_MAX) {
    std::fprintf(stderr,
                 "usage: launch RUNS \"A.exe [WORDS]\" \"B.exe [WORDS]\" [...] (at most %d)\n",
                 PROGRAMS_MAX);
    return 2;
  }
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const int runs = std::atoi(argv[1]);
  static const char* const NAMES[PROGRAMS_MAX] = {"a", "b", "c", "d", "e", "f",
                                                  "g", "h", "i", "j", "k"};
  // One row a start-up, under named columns: which program, its times to the shown dialog and
  // to its exit, its peak working set, its processor time to the shown dialog.
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
