// Measures the start-up of Win32 programs: the time from CreateProcess to
// the first painted window, and the peak memory of the process at that
// point. Runs the programs given on its command line in turn, each in its
// own folder (the folder of the executable) as Explorer would:
//
//   startup_probe RUNS EXE1 CLASS1 EXE2 CLASS2 [EXE3 CLASS3 ...]
//
// EXE1 is the program measured; the others are what it is held against.
// "First painted window" means: a visible top-level window of the given
// class that belongs to the new process, whose thread has answered a sent
// message (so it runs its message loop), and where neither the window nor
// any visible child window has a part still waiting to be painted. The
// probe polls for that state; its own cost per poll is a few calls into the
// window manager.
//
// The memory figures are the process's peak working set and its peak
// private (pagefile-backed) bytes, read with GetProcessMemoryInfo just
// before the probe closes the window.
//
// Output: one line per run, then the median of each program and the ratios
// of EXE1's medians to each other program's. Exit code 0 when every run
// found its window.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;  // launch to painted window
constexpr DWORD kExitTimeoutMs = 10000;    // WM_CLOSE to process end
constexpr int kMaxRuns = 1000;
constexpr int kMaxPrograms = 4;

struct Sample {
  double milliseconds;
  double peakWorkingSetKiB;
  double peakPrivateKiB;
};

struct WindowSearch {
  DWORD processId;
  const wchar_t *className;
  HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param) {
  WindowSearch *search = reinterpret_cast<WindowSearch *>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t name[64];
  if (GetClassNameW(window, name, 64) == 0 || std::wcscmp(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindProcessWindow(DWORD processId, const wchar_t *className) {
  WindowSearch search = {processId, className, nullptr};
  EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CheckChildPainted(HWND child, LPARAM param) {
  RECT pending;
  if (IsWindowVisible(child) && GetUpdateRect(child, &pending, FALSE)) {
    *reinterpret_cast<bool *>(param) = false;
    return FALSE;
  }
  return TRUE;
}

bool IsWindowPainted(HWND window) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) return false;
  RECT pending;
  if (GetUpdateRect(window, &pending, FALSE)) return false;
  bool painted = true;
  EnumChildWindows(window, CheckChildPainted, reinterpret_cast<LPARAM>(&painted));
  return painted;
}

double ElapsedMilliseconds(const LARGE_INTEGER &start, const LARGE_INTEGER &frequency) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

// Starts EXE in its own folder, waits for its first painted window, reads
// its memory figures and closes it again. False when no window came.
bool MeasureStartup(const wchar_t *exe, const wchar_t *className, Sample *sample) {
  wchar_t path[MAX_PATH];
  wchar_t *namePart = nullptr;
  DWORD length = GetFullPathNameW(exe, MAX_PATH, path, &namePart);
  if (length == 0 || length >= MAX_PATH || namePart == nullptr) return false;
  wchar_t folder[MAX_PATH];
  std::wmemcpy(folder, path, namePart - path);
  folder[namePart - path] = L'\0';
  wchar_t commandLine[MAX_PATH + 2];
  std::swprintf(commandLine, MAX_PATH + 2, L"\"%ls\"", path);

  LARGE_INTEGER frequency, start;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                      &process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", path, GetLastError());
    return false;
  }

  HWND window = nullptr;
  bool painted = false;
  while (!painted) {
    if (!window) window = FindProcessWindow(process.dwProcessId, className);
    if (window) painted = IsWindowPainted(window);
    if (painted) break;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    if (ElapsedMilliseconds(start, frequency) > kWindowTimeoutMs) break;
    Sleep(1);
  }
  sample->milliseconds = ElapsedMilliseconds(start, frequency);

  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
    sample->peakWorkingSetKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
    sample->peakPrivateKiB = static_cast<double>(memory.PeakPagefileUsage) / 1024.0;
  } else {
    sample->peakWorkingSetKiB = 0;
    sample->peakPrivateKiB = 0;
  }

  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, window ? kExitTimeoutMs : 0) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kExitTimeoutMs);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!painted) std::fwprintf(stderr, L"%ls: no painted window\n", path);
  return painted;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Summary {
  double milliseconds, minimumMilliseconds, peakWorkingSetKiB, peakPrivateKiB;
};

Summary Summarise(const std::vector<Sample> &samples) {
  std::vector<double> times, workingSets, privates;
  for (const Sample &s : samples) {
    times.push_back(s.milliseconds);
    workingSets.push_back(s.peakWorkingSetKiB);
    privates.push_back(s.peakPrivateKiB);
  }
  Summary summary = {Median(times), 0, Median(workingSets), Median(privates)};
  summary.minimumMilliseconds = times.empty() ? 0 : *std::min_element(times.begin(), times.end());
  return summary;
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0; }

// The name a program goes by in the ratio line: its folder ("vex" for
// vex\vex.exe), or the file name when it has no folder.
void CopyShortName(const wchar_t *exe, wchar_t *name, size_t size) {
  const wchar_t *end = std::wcsrchr(exe, L'\\');
  const wchar_t *begin = exe;
  if (end == nullptr) {
    end = exe + std::wcslen(exe);
  } else {
    for (const wchar_t *p = exe; p < end; ++p) {
      if (*p == L'\\') begin = p + 1;
    }
  }
  size_t length = std::min(static_cast<size_t>(end - begin), size - 1);
  std::wmemcpy(name, begin, length);
  name[length] = L'\0';
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  int programs = (argc - 2) / 2;
  if (argc < 6 || argc % 2 != 0 || programs > kMaxPrograms) {
    std::fwprintf(stderr, L"usage: startup_probe RUNS EXE1 CLASS1 EXE2 CLASS2 [EXE3 CLASS3 ...]"
                          L" (at most %d programs)\n", kMaxPrograms);
    return 2;
  }
  int runs = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
  if (runs < 1 || runs > kMaxRuns) {
    std::fwprintf(stderr, L"startup_probe: RUNS must be 1 to %d\n", kMaxRuns);
    return 2;
  }
  const wchar_t *exe[kMaxPrograms];
  const wchar_t *className[kMaxPrograms];
  for (int i = 0; i < programs; ++i) {
    exe[i] = argv[2 + 2 * i];
    className[i] = argv[3 + 2 * i];
  }

  // One unmeasured start of each first: loads the system libraries into
  // the file cache and lets the session's system processes settle.
  Sample ignored;
  bool ok = true;
  for (int i = 0; ok && i < programs; ++i) ok = MeasureStartup(exe[i], className[i], &ignored);

  // In turn, the order rotated by one each run (1 2 3, 2 3 1, 3 1 2, ...;
  // 1 2, 2 1 for two), so that no program is always the one started right
  // after the same other.
  std::vector<Sample> samples[kMaxPrograms];
  for (int run = 0; ok && run < runs; ++run) {
    for (int step = 0; step < programs && ok; ++step) {
      int which = (run + step) % programs;
      Sample sample;
      ok = MeasureStartup(exe[which], className[which], &sample);
      if (!ok) break;
      samples[which].push_back(sample);
      std::wprintf(L"run %3d  %-28ls %8.1f ms  peak working set %8.0f KiB  peak private %8.0f KiB\n",
                   run + 1, exe[which], sample.milliseconds, sample.peakWorkingSetKiB,
                   sample.peakPrivateKiB);
      std::fflush(stdout);
    }
  }
  if (!ok) return 1;

  Summary summary[kMaxPrograms];
  for (int i = 0; i < programs; ++i) summary[i] = Summarise(samples[i]);
  std::wprintf(L"\n%-28ls %10ls %10ls %14ls %14ls\n", L"median of each", L"start ms", L"min ms",
               L"peak WS KiB", L"peak priv KiB");
  for (int i = 0; i < programs; ++i)
    std::wprintf(L"%-28ls %10.1f %10.1f %14.0f %14.0f\n", exe[i], summary[i].milliseconds,
                 summary[i].minimumMilliseconds, summary[i].peakWorkingSetKiB,
                 summary[i].peakPrivateKiB);
  wchar_t first[64];
  CopyShortName(exe[0], first, 64);
  std::wprintf(L"\nstart-up ratio  ");
  for (int i = 1; i < programs; ++i) {
    wchar_t other[64];
    CopyShortName(exe[i], other, 64);
    std::wprintf(L"  %ls/%ls %.2f", first, other,
                 Ratio(summary[0].milliseconds, summary[i].milliseconds));
  }
  std::wprintf(L"\n\n");
  for (int i = 1; i < programs; ++i)
    std::wprintf(L"ratio %ls / %ls: start-up %.2f, peak working set %.2f, peak private %.2f\n",
                 exe[0], exe[i], Ratio(summary[0].milliseconds, summary[i].milliseconds),
                 Ratio(summary[0].peakWorkingSetKiB, summary[i].peakWorkingSetKiB),
                 Ratio(summary[0].peakPrivateKiB, summary[i].peakPrivateKiB));
  return 0;
}
