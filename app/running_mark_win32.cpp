// The running mark: a named mutex in the user's session, opened by the setup and the
// uninstaller before they change any file, so they can refuse while the program runs
// (a running exe can be neither replaced nor removed). A named object needs no rights to
// look for, unlike listing other processes. Depends on kernel32 only.
#include "app/running_mark_win32.h"

#include <windows.h>

namespace {

// Never closed: the mark lasts exactly as long as the process.
HANDLE g_runningMark;

}  // namespace

void MarkRunning() {
  g_runningMark = CreateMutexA(nullptr, FALSE, "Local\\Vellomir.Running");
}
