// What opening the control menu costs before anything is drawn (the check
// mark's registry read), what building the menu and reading the version record
// cost at activation, and whether repeating them holds on to memory.
// Run under the system to measure (or Wine); it prints its figures.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "menu/control_menu.h"
#include "menu/start_with_windows.h"
#include "platform/version_record.h"

namespace {

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / frequency;
}

template <class Step>
double MedianMicroseconds(int rounds, Step step) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    step();
    QueryPerformanceCounter(&to);
    times.push_back(Microseconds(from, to));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

SIZE_T CommittedBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PagefileUsage;
}

}  // namespace

int main() {
  using namespace corvane;
  const std::string product = "CorvaneMenuBench";
  const std::string path = "C:\\Program Files\\Corvane\\Corvane.exe";
  ControlMenu menu;

  ToggleStartWithWindows(menu, product, path);  // on: the value exists
  const double refreshOn = MedianMicroseconds(2000, [&] { RefreshStartCheck(menu, product, path); });
  ToggleStartWithWindows(menu, product, path);  // off: the value is gone
  const double refreshOff = MedianMicroseconds(2000, [&] { RefreshStartCheck(menu, product, path); });
  const double toggle = MedianMicroseconds(200, [&] { ToggleStartWithWindows(menu, product, path); });
  if (menu.Checked(MenuCommand::Start)) ToggleStartWithWindows(menu, product, path);

  const double build = MedianMicroseconds(2000, [] { ControlMenu built; });
  const double record = MedianMicroseconds(500, [] { platform::ReadVersionRecord(); });

  const SIZE_T before = CommittedBytes();
  for (int i = 0; i < 20000; ++i) {
    ControlMenu built;
    SetMenuTabText(built, MenuCommand::Close, "Close");
    RefreshStartCheck(built, product, path);
    platform::ReadVersionRecord();
  }
  const SIZE_T after = CommittedBytes();

  std::printf("menu opening refresh (value present): %8.1f us median\n", refreshOn);
  std::printf("menu opening refresh (value missing): %8.1f us median\n", refreshOff);
  std::printf("Start with Windows switch:            %8.1f us median\n", toggle);
  std::printf("control menu built:                   %8.1f us median\n", build);
  std::printf("version record read:                  %8.1f us median\n", record);
  std::printf("committed memory %lu KiB, after 20000 menus, refreshes and record reads %+ld KiB\n",
              static_cast<unsigned long>(before / 1024),
              static_cast<long>((static_cast<long long>(after) - static_cast<long long>(before)) / 1024));
  return 0;
}
