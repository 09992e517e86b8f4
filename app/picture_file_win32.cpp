// Finding the picture sheet. Its name is relative to the working directory, and a program
// started from a shortcut or from another folder has a working directory of someone else's
// choosing; so when the sheet is not there, the folder that holds the exe is tried too.
// image_load takes an 8-bit path in the ANSI code page, which cannot spell every folder a
// user may install into (letters outside that code page). Rather than spell the folder, the
// program steps into it with the wide calls, loads the same relative name there and steps
// back, so the working directory is the caller's again when this returns.
// Limitations: folders whose path is longer than MAX_PATH are not tried.
#include "app/picture_file_win32.h"

#include <windows.h>

#include "graphics/decoder_load.h"

namespace {

// The exe's folder with its trailing backslash (so that a drive's root stays the root), or false.
bool ProgramFolder(wchar_t (&folder)[MAX_PATH]) {
  DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  wchar_t* slash = nullptr;
  for (wchar_t* c = folder; *c; ++c)
    if (*c == L'\\' || *c == L'/') slash = c;
  if (!slash) return false;
  slash[1] = L'\0';
  return true;
}

}  // namespace

intptr_t LoadPictureSheet(ObjectId number, const char* fileName) {
  if (intptr_t loaded = image_load(number, fileName)) return loaded;
  wchar_t folder[MAX_PATH];
  wchar_t previous[MAX_PATH];
  DWORD length = GetCurrentDirectoryW(MAX_PATH, previous);
  if (length == 0 || length >= MAX_PATH || !ProgramFolder(folder)) return 0;
  if (!SetCurrentDirectoryW(folder)) return 0;
  intptr_t loaded = image_load(number, fileName);
  SetCurrentDirectoryW(previous);
  return loaded;
}
