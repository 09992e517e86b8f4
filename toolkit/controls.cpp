// The "common controls and COM" start-up step: registers the common-control classes and
// starts COM for the thread (drop targets). Depends on comctl32 and ole32. Results are
// not examined: without them the standard controls still work.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "toolkit/gadget.h"

void controls_library_init() {
  InitCommonControls();
  (void)CoInitialize(nullptr);
}
