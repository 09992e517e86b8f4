// Joystick seam, Windows binding: the product name a controller shows in the system's own
// game-controller page. The capability record names a settings key (szRegKey); its value
// Joystick<id + 1>OEMName names the controller's OEM key, whose value OEMName is the name.
// Both keys are looked for under HKEY_CURRENT_USER first, then HKEY_LOCAL_MACHINE.
// Dependencies: advapi32 (registry), kernel32 (code-page conversion).
// Limitations: the registry is untrusted: a value that is missing, not REG_SZ, not
// terminated, empty or longer than its buffer gives no name, and so does a key name with a
// backslash (it would reach into another key). Names are converted to the ANSI code page;
// what it cannot show becomes "?", and so do control characters.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "app/joystick_api.h"

namespace {

constexpr wchar_t kSettingsRoot[] = L"System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\";
constexpr wchar_t kOemRoot[] =
    L"System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM\\";
// A registry key name has at most 255 characters; product names get the same room.
constexpr DWORD kMaxChars = 255;

// A REG_SZ value of at most kMaxChars characters, terminated within its data, not empty:
// the first root that holds one wins.
bool ReadText(const wchar_t* path, const wchar_t* valueName, wchar_t (&text)[kMaxChars + 1]) {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    HKEY key;
    if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) continue;
    DWORD type = 0, bytes = sizeof text;
    LONG result = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    size_t chars = bytes / sizeof(wchar_t);
    size_t length = wcsnlen(text, chars);
    if (length == chars || length == 0) continue;  // no terminator, or nothing before it
    return true;
  }
  return false;
}

// A key name that stays one level below its parent.
bool PlainKeyName(const wchar_t* name) { return *name && !wcschr(name, L'\\'); }

// Path = root + name; false when it would not fit.
bool JoinPath(wchar_t (&path)[2 * kMaxChars], const wchar_t* root, const wchar_t* name, const wchar_t* tail) {
  return swprintf(path, 2 * kMaxChars, L"%ls%ls%ls", root, name, tail) > 0;
}

}  // namespace

bool JoystickProductName(uint32_t id, const JoyCaps& caps, char* name, uint32_t size) {
  if (size == 0) return false;
  *name = '\0';
  // The driver's key name must end within its field.
  if (memchr(caps.szRegKey, '\0', sizeof caps.szRegKey) == nullptr) return false;
  wchar_t regKey[sizeof caps.szRegKey];
  if (!MultiByteToWideChar(CP_ACP, 0, caps.szRegKey, -1, regKey, int(sizeof caps.szRegKey)) ||
      !PlainKeyName(regKey))
    return false;

  wchar_t path[2 * kMaxChars], valueName[32], oemKey[kMaxChars + 1], product[kMaxChars + 1];
  swprintf(valueName, 32, L"Joystick%uOEMName", unsigned(id) + 1);
  if (!JoinPath(path, kSettingsRoot, regKey, L"\\CurrentJoystickSettings") ||
      !ReadText(path, valueName, oemKey) || !PlainKeyName(oemKey) || !JoinPath(path, kOemRoot, oemKey, L"") ||
      !ReadText(path, L"OEMName", product))
    return false;

  // Only exact characters of the code page: anything else shows as "?", never as a look-alike.
  int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, product, -1, name, int(size), "?", nullptr);
  if (bytes <= 0) {
    *name = '\0';
    return false;
  }
  for (char* c = name; *c; ++c)
    if (static_cast<unsigned char>(*c) < 0x20) *c = '?';
  return true;
}
