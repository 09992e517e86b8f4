// Hostile peer: posts messages to Vellomir's windows the way any program on the same desktop
// can, to show that foreign messages neither crash it nor corrupt its memory.
//   hostile.exe [--title T] [--seed N] [--count N] [--log FILE]
//   hostile.exe [--title T] --post MESSAGE WPARAM LPARAM
//   hostile.exe [--title T] --activations SECONDS
// The first form posts COUNT messages (default 2000), in batches that the program takes
// before the next comes, to the window titled T (default "Vellomir V1.0"), its controls
// and the other windows of its thread: the toolkit's own
// numbers, WM_NOTIFY, low system numbers and random ones, with parameters that are small
// numbers, random values or addresses inside the program's writable memory (pointers found
// there and points in its writable regions, from its memory map). Left out is what every
// Win32 program obeys or what stands for the user's input (see LeftOut). The second form
// posts the one message given
// (decimal numbers) to the window itself.
// Prints one summary line; with --log the windows and each posted message (window,
// number, wParam, lParam).
// Exit codes: 0 the program still runs and answers, 1 window not found or the program died
// or hangs, 2 bad command line.
// Dependencies: user32, kernel32 (process memory map and reads).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr long kBatch = 100;
constexpr DWORD kCatchUpMs = 30000;  // a hundred passes take about a second

struct Region {
  uintptr_t base;
  size_t size;
};

struct Target {
  std::vector<HWND> windows;
  std::vector<Region> writable;
  std::vector<uintptr_t> pointers;  // values stored in writable memory that point into it
};

bool Writable(const MEMORY_BASIC_INFORMATION& m) {
  if (m.State != MEM_COMMIT || (m.Protect & (PAGE_GUARD | PAGE_NOACCESS))) return false;
  return m.Protect & (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY);
}

bool Inside(const std::vector<Region>& regions, uintptr_t p) {
  for (const Region& r : regions)
    if (p >= r.base && p - r.base < r.size) return true;
  return false;
}

// The writable regions of the process and the pointers into them that its memory holds.
void ReadMemoryMap(HANDLE process, Target* t) {
  MEMORY_BASIC_INFORMATION m;
  for (uintptr_t at = 0x10000; VirtualQueryEx(process, reinterpret_cast<void*>(at), &m, sizeof m) == sizeof m;) {
    if (Writable(m)) t->writable.push_back({reinterpret_cast<uintptr_t>(m.BaseAddress), m.RegionSize});
    uintptr_t next = reinterpret_cast<uintptr_t>(m.BaseAddress) + m.RegionSize;
    if (next <= at) break;
    at = next;
  }
  std::vector<uintptr_t> words(8192);
  for (const Region& r : t->writable) {
    for (size_t offset = 0; offset < r.size && offset < (1u << 20) && t->pointers.size() < 50000;
         offset += words.size() * sizeof(uintptr_t)) {
      SIZE_T got = 0;
      size_t want = std::min(words.size() * sizeof(uintptr_t), r.size - offset);
      if (!ReadProcessMemory(process, reinterpret_cast<void*>(r.base + offset), words.data(), want, &got)) break;
      for (size_t i = 0; i < got / sizeof(uintptr_t); ++i)
        if (words[i] % 8 == 0 && Inside(t->writable, words[i])) t->pointers.push_back(words[i]);
    }
  }
}

BOOL CALLBACK AddWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

// Messages every Win32 program obeys or that stand for the user's own input (a context
// menu request comes from a right click or the menu key).
bool LeftOut(UINT m) {
  switch (m) {
    case WM_QUIT:
    case WM_DESTROY:
    case WM_NCDESTROY:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
    case WM_HOTKEY:
    case WM_APPCOMMAND:
    case WM_CONTEXTMENU:
      return true;
    default:
      break;
  }
  // The standard controls' own commands (edit, button, scroll bar, combo box, list box) and
  // the editing commands: a control obeys them as it obeys WM_COMMAND (a click on
  // "Beenden", an emptied list).
  if ((m >= EM_GETSEL && m <= 0xFF) || (m >= CB_GETEDITSEL && m < STM_SETICON) || (m >= LB_ADDSTRING && m <= 0x1FF) ||
      (m >= WM_CUT && m <= WM_UNDO))
    return true;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
         (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK) || (m >= WM_IME_STARTCOMPOSITION && m <= WM_IME_KEYLAST) ||
         (m >= WM_IME_SETCONTEXT && m <= WM_IME_KEYUP) || (m >= WM_NCMOUSEHOVER && m <= WM_MOUSELEAVE);
}

class Peer {
 public:
  Peer(const Target& t, unsigned seed) : t_(t), rng_(seed) {}

  // Of twenty draws: six the toolkit's own numbers, three WM_NOTIFY, seven below WM_USER,
  // four from WM_USER up.
  UINT Message() {
    for (;;) {
      uint64_t roll = Below(20);
      UINT m = WM_NOTIFY;
      if (roll < 6) m = Pick({12501, 13100, 13101, 13102, 13103, 13104, 13105, 13106, 13107, 13108, 13109, 13110, 13120});
      else if (roll >= 16) m = WM_USER + UINT(Below(0x10000 - WM_USER));
      else if (roll >= 9) m = UINT(Below(WM_USER));
      if (!LeftOut(m)) return m;
    }
  }

  uintptr_t Parameter() {
    switch (Below(3)) {
      case 0:
        return Below(2) ? uintptr_t(Below(40)) : uintptr_t(-1) - Below(3);
      case 1:
        return Below(2) ? uintptr_t(rng_()) : uintptr_t(uint32_t(rng_()));
      default:
        return Address();
    }
  }

  HWND Window() { return Below(2) ? t_.windows[0] : t_.windows[Below(t_.windows.size())]; }

 private:
  uintptr_t Address() {
    if (!t_.pointers.empty() && Below(3)) return t_.pointers[Below(t_.pointers.size())] + 8 * Pick({0, 0, 0, 1, 2, 4});
    if (t_.writable.empty()) return 0;
    const Region& r = t_.writable[Below(t_.writable.size())];
    return (r.base + Below(r.size)) & ~uintptr_t(15);
  }

  uint64_t Below(uint64_t n) { return n ? rng_() % n : 0; }
  UINT Pick(std::initializer_list<UINT> from) { return from.begin()[Below(from.size())]; }

  const Target& t_;
  std::mt19937_64 rng_;
};

// The program takes one posted message per pass of its loop, so posts queue up. A marker
// posted after them tells when it has taken them all: the text limit of an edit field,
// which bounds only what a user types, set to an odd value, read back, then restored.
bool CaughtUp(HWND field, DWORD timeoutMs) {
  DWORD_PTR limit = 0, now = 0;
  if (!field || !SendMessageTimeoutA(field, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &limit)) return false;
  const WPARAM marker = limit == 12345 ? 12346 : 12345;
  if (!PostMessageA(field, EM_SETLIMITTEXT, marker, 0)) return false;
  bool seen = false;
  for (DWORD start = GetTickCount(); !seen && GetTickCount() - start < timeoutMs; Sleep(seen ? 0 : 20))
    seen = SendMessageTimeoutA(field, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &now) && now == marker;
  SendMessageTimeoutA(field, EM_SETLIMITTEXT, limit, 0, SMTO_ABORTIFHUNG, 5000, &now);
  return seen;
}

int Usage(const char* why) {
  std::fprintf(stderr,
               "hostile: %s\nusage: hostile.exe [--title T] [--seed N] [--count N] [--log FILE]\n"
               "       hostile.exe [--title T] --post MESSAGE WPARAM LPARAM\n"
               "       hostile.exe [--title T] --activations SECONDS\n",
               why);
  return 2;
}

// Claims of activation, sent and posted, as any program can make them.
int ForgeActivations(HWND main, long seconds) {
  std::vector<HWND> windows{main};
  EnumChildWindows(main, AddWindow, reinterpret_cast<LPARAM>(&windows));
  long sent = 0, posted = 0;
  DWORD start = GetTickCount();
  for (long round = 0; long(GetTickCount() - start) < seconds * 1000; ++round, Sleep(10)) {
    bool active = round % 2 == 0;
    const UINT messages[4] = {WM_ACTIVATE, WM_ACTIVATEAPP, WM_NCACTIVATE, UINT(active ? WM_SETFOCUS : WM_KILLFOCUS)};
    const WPARAM claims[4] = {WPARAM(active ? WA_CLICKACTIVE : WA_INACTIVE), active, active, 0};
    for (HWND w : windows) {
      for (int i = 0; i < 4; ++i) {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(w, messages[i], claims[i], 0, SMTO_ABORTIFHUNG, 1000, &answer)) ++sent;
      }
    }
    if (PostMessageA(main, messages[round % 4], claims[round % 4], 0)) ++posted;
  }
  DWORD_PTR answer = 0;
  bool answers = SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer);
  std::printf("activations: %ld sent, %ld posted to %zu windows; %s\n", sent, posted, windows.size(),
              answers ? "alive" : "no answer");
  return answers ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string title = "Vellomir V1.0";
  unsigned seed = 1;
  long count = 2000;
  FILE* log = nullptr;
  const char* post[3] = {};
  long activations = 0;
  for (int i = 1; i < argc; ++i) {
    std::string opt = argv[i];
    if (opt == "--post" && i + 3 < argc) {
      for (const char*& part : post) part = argv[++i];
      continue;
    }
    if (i + 1 >= argc) return Usage("every option takes a value");
    const char* value = argv[++i];
    if (opt == "--title") title = value;
    else if (opt == "--seed") seed = unsigned(std::strtoul(value, nullptr, 10));
    else if (opt == "--count") count = std::strtol(value, nullptr, 10);
    else if (opt == "--log") log = std::fopen(value, "w");
    else if (opt == "--activations") activations = std::strtol(value, nullptr, 10);
    else return Usage("unknown option");
    if (opt == "--log" && !log) return Usage("cannot write the log");
  }
  HWND main = FindWindowA(nullptr, title.c_str());
  if (!main) return std::fprintf(stderr, "hostile: no window titled %s\n", title.c_str()), 1;
  DWORD pid = 0, thread = GetWindowThreadProcessId(main, &pid);
  if (activations > 0) return ForgeActivations(main, activations);
  if (post[0]) {
    auto number = [](const char* text) { return std::strtoull(text, nullptr, 10); };
    return PostMessageA(main, UINT(number(post[0])), WPARAM(number(post[1])), LPARAM(number(post[2]))) ? 0 : 1;
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, pid);
  if (!process) return std::fprintf(stderr, "hostile: cannot open process %lu\n", pid), 1;

  Target t;
  t.windows.push_back(main);
  EnumChildWindows(main, AddWindow, reinterpret_cast<LPARAM>(&t.windows));
  std::vector<HWND> others;
  EnumThreadWindows(thread, AddWindow, reinterpret_cast<LPARAM>(&others));
  for (HWND w : others) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    if (w != main && (std::strncmp(name, "WindowClass_", 12) == 0 || std::strcmp(name, "MultimediaBase Class") == 0))
      t.windows.push_back(w);
  }
  ReadMemoryMap(process, &t);

  HWND field = nullptr;  // the catch-up marker's field
  for (HWND w : t.windows) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    if (!field && std::strcmp(name, "Edit") == 0) field = w;
    if (log) std::fprintf(log, "# %p %s id %ld\n", static_cast<void*>(w), name, long(GetWindowLongPtrA(w, GWLP_ID)));
  }
  Peer peer(t, seed);
  long posted = 0, refused = 0;
  bool caughtUp = true;
  for (long n = 0; n < count && caughtUp && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; ++n) {
    HWND w = peer.Window();
    UINT m = peer.Message();
    uintptr_t wp = peer.Parameter(), lp = peer.Parameter();
    if (log) {
      std::fprintf(log, "%p %u %#llx %#llx\n", static_cast<void*>(w), m, static_cast<unsigned long long>(wp),
                   static_cast<unsigned long long>(lp));
      std::fflush(log);
    }
    if (PostMessageA(w, m, WPARAM(wp), LPARAM(lp))) ++posted;
    else ++refused;
    if ((n + 1) % kBatch == 0 || n + 1 == count) caughtUp = CaughtUp(field, kCatchUpMs);
  }
  DWORD_PTR answer = 0;
  bool answers = SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer);
  bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  std::printf("seed %u: %ld posted, %ld refused by the system, %zu windows, %zu writable regions, %zu pointers; %s\n",
              seed, posted, refused, t.windows.size(), t.writable.size(), t.pointers.size(),
              alive ? (answers ? (caughtUp ? "alive" : "alive, but it did not take them in time") : "hangs") : "DIED");
  if (log) std::fclose(log);
  CloseHandle(process);
  return alive && answers && caughtUp ? 0 : 1;
}
