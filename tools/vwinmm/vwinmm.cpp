// Virtual controller: a stand-in winmm.dll for tests, whose controllers are scripted through a
// small text file named by the environment variable VLMR_PAD_STATE (a Windows path, or a Unix
// path that is reached through the Z: drive under Wine). Without the variable or the file
// there is no controller. Each pad reports what real drivers do: its capability flags,
// button count, vendor and product, the registry key of its settings, and an identifier
// can be empty, as after pads were unplugged and plugged again (capabilities fail with
// JOYERR_PARMS, positions with JOYERR_UNPLUGGED). The file can also make it a broken
// driver: one that reports any number of identifiers (numdevs) and answers for every
// identifier (anyid). Besides the
// joystick queries it answers the timer functions the programs import, from kernel32.
// Dependencies: kernel32 only. Limitations: at most 16 scripted controllers (with anyid,
// every further identifier is a resting one); the file is read again when its time stamp or
// size changes, every 50 ms and after joyConfigChanged, so writers must replace it whole
// (write a temporary, rename) to keep a reader from seeing half a file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/joystick_api.h"

namespace {

constexpr int kMaxPads = 16;
constexpr uint32_t kTimerNoCando = 97;  // TIMERR_NOCANDO

enum Axis { kX, kY, kZ, kR, kU, kV, kAxes };

struct Pad {
  uint32_t min[kAxes];
  uint32_t max[kAxes];
  uint32_t pos[kAxes];
  uint32_t buttons;
  uint32_t pov;
  uint32_t unplugged;
  uint32_t empty;     // no pad at this identifier: capabilities and positions fail
  uint32_t caps;      // wCaps
  uint32_t nbuttons;  // wNumButtons
  uint32_t mid, pid;  // USB vendor and product
  uint32_t regkey;    // szRegKey: 0 "DINPUT.DLL", 1 empty, 2 a full field without terminator
};

struct PadFile {
  int count;
  uint32_t numDevs;  // what joyGetNumDevs reports
  uint32_t anyId;    // non-zero: identifiers past count answer as resting controllers
  Pad pads[kMaxPads];
};

// All of the library's state: the scripted controllers as last read, and which version of
// which file they came from.
struct VirtualPads {
  SRWLOCK lock;
  PadFile file;
  bool loaded;             // file holds what `path` said at `written`
  char path[MAX_PATH + 2];
  FILETIME written;
  DWORD size;
  ULONGLONG readAt;        // Milliseconds() of the last read
  ULONGLONG checkedAt;     // Milliseconds() of the last look at the file, 0 before the first
};
VirtualPads g_pads = {SRWLOCK_INIT, {0, kMaxPads, 0, {}}, false, {}, {}, 0, 0, 0};

// Even an unchanged time stamp and size are re-read this often, in case two versions of the
// file fell into one tick of the file system's clock.
constexpr ULONGLONG kRereadMs = 50;
// While the file's folder is watched, a query looks at the file only after the system
// reported a change there, or when this long has passed since the last read.
constexpr ULONGLONG kWatchedRereadMs = 1000;

// The watch on the state file's folder: a thread waits for the system's change notices and
// counts them, so the queries of a pass in which nothing was written cost no file look-up.
// Only the first folder named is watched; another one is looked at every millisecond.
struct FolderWatch {
  bool tried;
  char folder[MAX_PATH + 2];
  HANDLE notice;
  volatile LONG changes;
  LONG seen;  // changes as they were before the last read of the file
};
FolderWatch g_watch = {};

DWORD WINAPI CountChanges(void*) {
  while (WaitForSingleObject(g_watch.notice, INFINITE) == WAIT_OBJECT_0) {
    InterlockedIncrement(&g_watch.changes);
    if (!FindNextChangeNotification(g_watch.notice)) break;
  }
  return 0;
}

// True when path's folder is watched (the watch starts at the first call).
bool Watched(const char* path) {
  const char* slash = strrchr(path, '\\');
  if (!slash || size_t(slash - path) >= sizeof g_watch.folder) return false;
  size_t length = size_t(slash - path);
  if (g_watch.tried) return g_watch.notice && strlen(g_watch.folder) == length && !strncmp(g_watch.folder, path, length);
  g_watch.tried = true;
  memcpy(g_watch.folder, path, length);
  g_watch.folder[length] = '\0';
  // The thread runs until the process ends: keep this library loaded until then.
  HMODULE self;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                          reinterpret_cast<const char*>(&CountChanges), &self))
    return false;
  g_watch.notice = FindFirstChangeNotificationA(
      g_watch.folder, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (g_watch.notice == INVALID_HANDLE_VALUE) g_watch.notice = nullptr;
  HANDLE thread = g_watch.notice ? CreateThread(nullptr, 0, CountChanges, nullptr, 0, nullptr) : nullptr;
  if (!thread) {
    if (g_watch.notice) FindCloseChangeNotification(g_watch.notice);
    g_watch.notice = nullptr;
    return false;
  }
  CloseHandle(thread);
  return true;
}

// A millisecond clock from the performance counter: GetTickCount64 moves in steps of the
// system tick (about 16 ms), too coarse for the once-per-millisecond look at the file.
ULONGLONG Milliseconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return ULONGLONG(now.QuadPart / (frequency.QuadPart / 1000));
}

void ResetPad(Pad& pad) {
  for (int a = 0; a < kAxes; ++a) {
    pad.min[a] = 0;
    pad.max[a] = 65535;
    pad.pos[a] = 32767;
  }
  pad.buttons = 0;
  pad.pov = 65535;
  pad.unplugged = 0;
  pad.empty = 0;
  pad.caps = 0x1F;  // JOYCAPS_HASZ | HASR | HASU | HASV | HASPOV
  pad.nbuttons = 32;
  pad.mid = pad.pid = 0xFFFF;
  pad.regkey = 0;
}

// The field a key names, or null for an unknown key. "min"/"max" set every axis.
uint32_t* PadField(Pad& pad, const char* key, bool* everyAxis) {
  static const char kNames[] = "xyzruv";
  *everyAxis = false;
  if (!strcmp(key, "buttons")) return &pad.buttons;
  if (!strcmp(key, "pov")) return &pad.pov;
  if (!strcmp(key, "unplugged")) return &pad.unplugged;
  if (!strcmp(key, "empty")) return &pad.empty;
  if (!strcmp(key, "caps")) return &pad.caps;
  if (!strcmp(key, "nbuttons")) return &pad.nbuttons;
  if (!strcmp(key, "mid")) return &pad.mid;
  if (!strcmp(key, "pid")) return &pad.pid;
  if (!strcmp(key, "regkey")) return &pad.regkey;
  if (!strcmp(key, "min") || !strcmp(key, "max")) {
    *everyAxis = true;
    return key[1] == 'i' ? pad.min : pad.max;
  }
  const char* axis = key[0] ? strchr(kNames, key[0]) : nullptr;
  if (!axis) return nullptr;
  int a = int(axis - kNames);
  if (!key[1]) return &pad.pos[a];
  if (!strcmp(key + 1, "min")) return &pad.min[a];
  if (!strcmp(key + 1, "max")) return &pad.max[a];
  return nullptr;
}

// The next token of *cursor, split at any of delims; null at the end.
char* NextToken(char** cursor, const char* delims) {
  char* start = *cursor + strspn(*cursor, delims);
  if (!*start) return nullptr;
  char* end = start + strcspn(start, delims);
  *cursor = *end ? end + 1 : end;
  *end = '\0';
  return start;
}

bool ParseNumber(const char* text, uint32_t* value) {
  char* end = nullptr;
  bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  unsigned long long v = strtoull(text, &end, hex ? 16 : 10);
  if (end == text || *end || text[0] == '-' || v > 0xFFFFFFFFull) return false;
  *value = uint32_t(v);
  return true;
}

void ResetFile(PadFile& file) {
  file.count = 0;
  file.numDevs = kMaxPads;
  file.anyId = 0;
}

// Lines "count N", "numdevs N", "anyid 0|1" and "pad I key value ..."; anything it does not
// understand is skipped.
void ParsePadFile(char* text, PadFile& file) {
  ResetFile(file);
  for (Pad& pad : file.pads) ResetPad(pad);
  char* lines = text;
  for (char* line = NextToken(&lines, "\r\n"); line; line = NextToken(&lines, "\r\n")) {
    const char* word = NextToken(&line, " \t");
    const char* arg = word ? NextToken(&line, " \t") : nullptr;
    uint32_t n = 0;
    if (!arg || !ParseNumber(arg, &n)) continue;
    if (!strcmp(word, "count")) {
      file.count = n > uint32_t(kMaxPads) ? kMaxPads : int(n);
    } else if (!strcmp(word, "numdevs")) {
      file.numDevs = n;
    } else if (!strcmp(word, "anyid")) {
      file.anyId = n;
    } else if (!strcmp(word, "pad") && n < uint32_t(kMaxPads)) {
      Pad& pad = file.pads[n];
      for (const char* key = NextToken(&line, " \t"); key; key = NextToken(&line, " \t")) {
        const char* value = NextToken(&line, " \t");
        uint32_t v = 0;
        bool everyAxis = false;
        uint32_t* field = PadField(pad, key, &everyAxis);
        if (!value || !field || !ParseNumber(value, &v)) break;
        for (int a = 0; a < (everyAxis ? kAxes : 1); ++a) field[a] = v;
      }
    }
  }
}

// The state file's path as Windows opens it: a Unix path goes through the Z: drive.
bool StatePath(char* path, DWORD size) {
  DWORD n = GetEnvironmentVariableA("VLMR_PAD_STATE", path, size);
  if (n == 0 || n >= size) return false;
  if (path[0] == '/') {
    if (n + 2 >= size) return false;
    memmove(path + 2, path, n + 1);
    path[0] = 'Z';
    path[1] = ':';
    for (char* c = path; *c; ++c)
      if (*c == '/') *c = '\\';
  }
  return true;
}

void ReadPadFile(const char* path, PadFile& file) {
  ResetFile(file);
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  char text[8192];
  DWORD got = 0;
  BOOL ok = ReadFile(h, text, sizeof text - 1, &got, nullptr);
  CloseHandle(h);
  if (!ok) return;
  text[got] = '\0';
  ParsePadFile(text, file);
}

// Brings g_pads up to date with the file. The queries of one polling pass come within a
// millisecond and share one look at the file's attributes; only a new version is read.
// Measured under Wine: a pass of three queries costs about as much as with the system's
// winmm (a few hundred microseconds on a busy machine, 15 us without a file).
void RefreshPads() {
  ULONGLONG now = Milliseconds();
  if (g_pads.checkedAt != 0 && now == g_pads.checkedAt) return;
  char path[MAX_PATH + 2];
  const bool named = StatePath(path, MAX_PATH);
  const bool watched = named && Watched(path);
  const LONG changes = g_watch.changes;
  if (watched && g_pads.loaded && changes == g_watch.seen && !strcmp(path, g_pads.path) &&
      now - g_pads.readAt < kWatchedRereadMs)
    return;  // nothing was written to the folder since the last read
  g_pads.checkedAt = now;
  g_watch.seen = changes;
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!named || !GetFileAttributesExA(path, GetFileExInfoStandard, &attributes)) {
    g_pads.loaded = false;
    ResetFile(g_pads.file);
    return;
  }
  if (g_pads.loaded && !strcmp(path, g_pads.path) && attributes.nFileSizeLow == g_pads.size &&
      CompareFileTime(&attributes.ftLastWriteTime, &g_pads.written) == 0 && now - g_pads.readAt < kRereadMs &&
      !watched)
    return;
  ReadPadFile(path, g_pads.file);
  g_pads.loaded = true;
  strcpy(g_pads.path, path);
  g_pads.size = attributes.nFileSizeLow;
  g_pads.written = attributes.ftLastWriteTime;
  g_pads.readAt = now;
}

// A copy of controller id as the file says now; false when there is no such controller.
bool CurrentPad(UINT id, Pad* pad) {
  AcquireSRWLockExclusive(&g_pads.lock);
  RefreshPads();
  bool found = id < UINT(g_pads.file.count) || g_pads.file.anyId;
  if (id < UINT(g_pads.file.count)) *pad = g_pads.file.pads[id];
  else if (found) ResetPad(*pad);
  ReleaseSRWLockExclusive(&g_pads.lock);
  return found;
}

UINT CurrentNumDevs() {
  AcquireSRWLockExclusive(&g_pads.lock);
  RefreshPads();
  UINT n = g_pads.file.numDevs;
  ReleaseSRWLockExclusive(&g_pads.lock);
  return n;
}

}  // namespace

extern "C" {

__declspec(dllexport) UINT WINAPI joyGetNumDevs() { return CurrentNumDevs(); }

// The platform reads its controller list again; here, the state file at the next query.
__declspec(dllexport) UINT WINAPI joyConfigChanged(DWORD) {
  AcquireSRWLockExclusive(&g_pads.lock);
  g_pads.loaded = false;
  g_pads.checkedAt = 0;
  ReleaseSRWLockExclusive(&g_pads.lock);
  return kJoyErrNoError;
}

__declspec(dllexport) UINT WINAPI joyGetDevCapsA(UINT_PTR id, JoyCaps* caps, UINT size) {
  Pad pad;
  if (!caps || size != sizeof(JoyCaps)) return kJoyErrParms;
  if (!CurrentPad(UINT(id), &pad) || pad.empty) return kJoyErrParms;
  memset(caps, 0, sizeof *caps);
  caps->wMid = uint16_t(pad.mid);
  caps->wPid = uint16_t(pad.pid);
  snprintf(caps->szPname, sizeof caps->szPname, "Virtual pad %u", UINT(id) + 1);
  if (pad.regkey == 0) strcpy(caps->szRegKey, "DINPUT.DLL");
  else if (pad.regkey == 2) memset(caps->szRegKey, 'A', sizeof caps->szRegKey);
  uint32_t* ranges[kAxes][2] = {{&caps->wXmin, &caps->wXmax}, {&caps->wYmin, &caps->wYmax},
                                {&caps->wZmin, &caps->wZmax}, {&caps->wRmin, &caps->wRmax},
                                {&caps->wUmin, &caps->wUmax}, {&caps->wVmin, &caps->wVmax}};
  for (int a = 0; a < kAxes; ++a) {
    *ranges[a][0] = pad.min[a];
    *ranges[a][1] = pad.max[a];
  }
  caps->wNumButtons = pad.nbuttons;
  caps->wMaxButtons = 32;
  caps->wMaxAxes = kAxes;
  caps->wNumAxes = 2;
  for (uint32_t bit = 0; bit < 4; ++bit) caps->wNumAxes += (pad.caps >> bit) & 1u;  // Z, R, U, V
  caps->wPeriodMin = 10;
  caps->wPeriodMax = 1000;
  caps->wCaps = pad.caps;
  return kJoyErrNoError;
}

__declspec(dllexport) UINT WINAPI joyGetPosEx(UINT id, JoyInfoEx* info) {
  Pad pad;
  if (!info || info->dwSize != sizeof(JoyInfoEx)) return kJoyErrParms;
  if (!CurrentPad(id, &pad)) return kJoyErrParms;
  if (pad.unplugged || pad.empty) return kJoyErrUnplugged;
  const uint32_t flags = info->dwFlags;
  uint32_t* positions[kAxes] = {&info->dwXpos, &info->dwYpos, &info->dwZpos,
                                &info->dwRpos, &info->dwUpos, &info->dwVpos};
  for (int a = 0; a < kAxes; ++a)
    if (flags & (1u << a)) *positions[a] = pad.pos[a];  // JOY_RETURNX ... JOY_RETURNV
  if (flags & 0x40) info->dwPOV = pad.pov;                // JOY_RETURNPOV
  if (flags & 0x80) {                                     // JOY_RETURNBUTTONS
    info->dwButtons = pad.buttons;
    info->dwButtonNumber = 0;
    for (uint32_t b = pad.buttons; b; b &= b - 1) ++info->dwButtonNumber;
  }
  return kJoyErrNoError;
}

__declspec(dllexport) UINT WINAPI timeBeginPeriod(UINT period) { return period ? 0 : kTimerNoCando; }
__declspec(dllexport) UINT WINAPI timeEndPeriod(UINT period) { return period ? 0 : kTimerNoCando; }
__declspec(dllexport) DWORD WINAPI timeGetTime() { return DWORD(Milliseconds()); }

}  // extern "C"
