// soak: the program's main window in this process (real window backend,
// stand-in registry and files) runs 10,000 scan cycles back to back with
// instant mode on, while browser_fixture.exe opens popups one after the
// other (each closed by the event path or by a cycle) beside two browser
// windows that stay. Compares the handles, GDI and USER objects and private
// memory after the warm-up (1,000 cycles) with those at the end.
//   soak [CYCLES]   (under Wine or Windows; needs a display)
// Exits 1 when anything grew beyond its bound (below), or when it could not
// measure (it says why).
#include "platform/win32/win.h"

#include <cstdio>
#include <cstdlib>

#include "browser_fixture.h"
#include "gui_objects.h"

namespace zt::test {
namespace {

// A program that runs for weeks must not grow. The bounds allow what a
// cycle may hold for a moment (a handle or a GDI object in use when the
// figures are taken); private memory may grow by what the history entries
// added after the warm-up hold (kept on purpose, up to kMaxHistory) and by
// at most kPrivateSlackMb besides: a leak of about 100 bytes per cycle
// over the 9,000 cycles measured exceeds it.
constexpr long kHandleBound = 8;
constexpr int kGdiBound = 2;
constexpr int kUserBound = 2;
constexpr double kPrivateSlackMb = 1.0;

struct Figures {
  DWORD handles = 0;  // Wine reports none
  int gdi = 0, user = 0;
  double privateMb = 0;
  size_t history = 0;
};

// What the history entries from index `from` on hold on the heap at least.
double HistoryMegabytes(const History& history, size_t from) {
  auto heapText = [](const std::string& t) { return t.capacity() > 15 ? t.capacity() + 1 : 0; };
  double bytes = 0;
  for (size_t i = from; i < history.size(); ++i) {
    const HistoryEntry& e = history[i];
    bytes += sizeof e;
    for (const std::string* t : {&e.title, &e.url, &e.width, &e.height, &e.scanner, &e.time, &e.rule.first,
                                 &e.rule.second})
      bytes += heapText(*t);
  }
  return bytes / (1024 * 1024);
}

int Soak(int cycles) {
  InProcessProgram program("[ADS]\r\n1=casino\r\n[WDS]\r\n1=640\r\n2=480\r\n");
  if (!program.created) {
    std::printf("soak: not measured: the main window could not be created (no display?)\n");
    return 1;
  }
  program.App().Timer1.SetEnabled(false);  // the cycles are run below
  TempDir dir;
  BrowserFixture fx(dir.path(), Window("MozillaWindowClass", "Home - Mozilla", 800, 600) +
                                    Window("IEFrame", std::string("News") + kIE, 800, 600, "flash",
                                           "http://news.example/") +
                                    "lifetime\t3600000\r\n" + "series\t1000000\t5\tIEFrame\tCasino" + kIE +
                                    "\t640\t480\t20\r\n");
  if (::testing::AssertionResult ready = fx.Ready(); !ready) {
    std::printf("soak: not measured: browser_fixture.exe: %s\n", ready.message());
    return 1;
  }
  HWND main = program.window->hwnd();
  auto measure = [&] {
    Figures f;
    GetProcessHandleCount(GetCurrentProcess(), &f.handles);
    f.gdi = GdiObjectCount();
    f.user = UserObjectCount();
    f.privateMb = PrivateMegabytes(GetCurrentProcess());
    f.history = program.App().engine.history.size();
    return f;
  };
  const int warmUp = cycles / 10;
  Figures warm;
  DWORD start = GetTickCount();
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    SendMessageA(main, WM_TIMER, kTimer1Id, 0);
    program.Pump(cycle % 2 ? 0 : 1);
    if (cycle == warmUp) warm = measure();
  }
  Figures end = measure();
  const double historyMb = HistoryMegabytes(program.App().engine.history, warm.history);
  const double otherMb = end.privateMb - warm.privateMb - historyMb;
  std::printf("soak: %d cycles in %lu s, %zu popups closed (%zu after the warm-up of %d cycles)\n", cycles,
              static_cast<unsigned long>((GetTickCount() - start) / 1000), end.history, end.history - warm.history,
              warmUp);
  std::printf("soak: handles %lu -> %lu (bound +%ld), GDI objects %d -> %d (bound +%d), USER objects %d -> %d "
              "(bound +%d)\n",
              static_cast<unsigned long>(warm.handles), static_cast<unsigned long>(end.handles), kHandleBound,
              warm.gdi, end.gdi, kGdiBound, warm.user, end.user, kUserBound);
  std::printf("soak: private memory %.2f MB -> %.2f MB; the new history entries hold at least %.2f MB, the rest "
              "grew by %.2f MB (bound %.2f MB)\n",
              warm.privateMb, end.privateMb, historyMb, otherMb, kPrivateSlackMb);
  int status = 0;
  auto check = [&](bool ok, const char* what) {
    if (!ok) {
      std::printf("soak: FAILED: %s grew beyond its bound\n", what);
      status = 1;
    }
  };
  check(static_cast<long>(end.handles) - static_cast<long>(warm.handles) <= kHandleBound, "the handles");
  check(end.gdi - warm.gdi <= kGdiBound, "the GDI objects");
  check(end.user - warm.user <= kUserBound, "the USER objects");
  check(otherMb <= kPrivateSlackMb, "private memory");
  if (end.history == warm.history) {
    std::printf("soak: not measured: no popup was closed after the warm-up\n");
    status = 1;
  }
  if (fx.Count("w0", "WM_CLOSE") != 0) {
    std::printf("soak: FAILED: the browser window that stays open was closed\n");
    status = 1;
  }
  return status;
}

}  // namespace
}  // namespace zt::test

int main(int argc, char** argv) {
  int cycles = argc > 1 ? std::atoi(argv[1]) : 10000;
  if (cycles < 100) {
    std::printf("usage: soak [CYCLES]   (at least 100; 10,000 without an argument)\n");
    return 2;
  }
  return zt::test::Soak(cycles);
}
