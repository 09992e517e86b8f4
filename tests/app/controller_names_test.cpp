// Product names from the registry, through the Windows binding, against values written the
// way drivers and other programs leave them: good ones under either root, and every way a
// value can be unfit. Each case starts from an empty registry tree.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/joystick_api.h"
#include "tests/wine_only.h"

namespace {

const wchar_t kSettings[] = L"System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\DINPUT.DLL";
const wchar_t kOem[] = L"System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM";

void Clear() {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    RegDeleteTreeW(root, kSettings);
    RegDeleteTreeW(root, kOem);
  }
}

// Writes the value's bytes as they are: the registry's own writers add a terminator that a
// string lacks, so an unterminated one is written below them.
void Write(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
  using SetValue = LONG(WINAPI*)(HANDLE, const void*, ULONG, ULONG, const void*, ULONG);
  struct CountedName {
    USHORT length, capacity;
    const wchar_t* text;
  } counted = {USHORT(2 * wcslen(name)), USHORT(2 * wcslen(name)), name};
  auto ntSet = reinterpret_cast<SetValue>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSetValueKey")));
  ASSERT_TRUE(ntSet);
  EXPECT_EQ(ntSet(key, &counted, 0, type, data, bytes), 0);
  RegCloseKey(key);
}

void WriteText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text,
               DWORD type = REG_SZ) {
  Write(root, path, name, type, text.c_str(), DWORD(2 * (text.size() + 1)));
}

// Identifier 0 names OEM key `key`, whose OEMName is `name`.
void Name(HKEY root, const std::wstring& key, const std::wstring& name) {
  WriteText(root, std::wstring(kSettings) + L"\\CurrentJoystickSettings", L"Joystick1OEMName", key);
  WriteText(root, std::wstring(kOem) + L"\\" + key, L"OEMName", name);
}

std::string NameOf(const char* regKey = "DINPUT.DLL", size_t regKeyBytes = 0) {
  JoyCaps caps{};
  if (regKeyBytes) std::memcpy(caps.szRegKey, regKey, regKeyBytes);
  else std::strcpy(caps.szRegKey, regKey);
  char name[128];
  std::memset(name, 'x', sizeof name);
  bool found = JoystickProductName(0, caps, name, sizeof name);
  EXPECT_EQ(found, name[0] != '\0') << name;
  return found ? name : "";
}

const std::wstring kKey = L"VID_054C&PID_05C4";
const std::string kLongest(127, 'L');
const std::wstring kOemKey = std::wstring(kOem) + L"\\" + kKey;

struct Case {
  const char* what;
  void (*setup)();
  const char* expected;
};

const Case kCases[] = {
    {"the user's registry", [] { Name(HKEY_CURRENT_USER, kKey, L"Wireless Controller"); }, "Wireless Controller"},
    {"the machine's registry", [] { Name(HKEY_LOCAL_MACHINE, kKey, L"Pro Controller"); }, "Pro Controller"},
    {"settings in the user's, OEM key in the machine's",
     [] {
       Name(HKEY_CURRENT_USER, kKey, L"");
       WriteText(HKEY_LOCAL_MACHINE, kOemKey, L"OEMName", L"Wireless Controller");
     },
     "Wireless Controller"},
    {"the user's unfit, the machine's good",
     [] {
       Name(HKEY_LOCAL_MACHINE, kKey, L"Pro Controller");
       DWORD number = 7;
       Write(HKEY_CURRENT_USER, kOemKey, L"OEMName", REG_DWORD, &number, sizeof number);
     },
     "Pro Controller"},
    {"nothing at all", [] {}, ""},
    {"no OEM key", [] { WriteText(HKEY_CURRENT_USER, std::wstring(kSettings) + L"\\CurrentJoystickSettings",
                                  L"Joystick1OEMName", kKey); }, ""},
    {"another identifier's value only",
     [] {
       Name(HKEY_CURRENT_USER, kKey, L"Wireless Controller");
       RegDeleteKeyValueW(HKEY_CURRENT_USER, (std::wstring(kSettings) + L"\\CurrentJoystickSettings").c_str(),
                          L"Joystick1OEMName");
       WriteText(HKEY_CURRENT_USER, std::wstring(kSettings) + L"\\CurrentJoystickSettings", L"Joystick2OEMName",
                 kKey);
     },
     ""},
    {"a number", [] {
       Name(HKEY_CURRENT_USER, kKey, L"");
       DWORD number = 7;
       Write(HKEY_CURRENT_USER, kOemKey, L"OEMName", REG_DWORD, &number, sizeof number);
     }, ""},
    {"an expandable string", [] {
       Name(HKEY_CURRENT_USER, kKey, L"");
       WriteText(HKEY_CURRENT_USER, kOemKey, L"OEMName", L"%PAD%", REG_EXPAND_SZ);
     }, ""},
    {"no terminator", [] {
       Name(HKEY_CURRENT_USER, kKey, L"");
       Write(HKEY_CURRENT_USER, kOemKey, L"OEMName", REG_SZ, L"Pad", 6);
     }, ""},
    {"an odd number of bytes", [] {
       Name(HKEY_CURRENT_USER, kKey, L"");
       Write(HKEY_CURRENT_USER, kOemKey, L"OEMName", REG_SZ, L"Pad", 7);
     }, ""},
    {"longer than any buffer", [] { Name(HKEY_CURRENT_USER, kKey, std::wstring(300, L'L')); }, ""},
    {"longer than the program keeps", [] { Name(HKEY_CURRENT_USER, kKey, std::wstring(128, L'L')); }, ""},
    {"as long as the program keeps", [] { Name(HKEY_CURRENT_USER, kKey, std::wstring(127, L'L')); },
     kLongest.c_str()},
    {"empty", [] { Name(HKEY_CURRENT_USER, kKey, L""); }, ""},
    {"a key name that reaches below an OEM key",
     [] {
       Name(HKEY_CURRENT_USER, L"PAD\\INNER", L"Inner Pad");
       WriteText(HKEY_CURRENT_USER, std::wstring(kOem) + L"\\PAD", L"OEMName", L"Outer Pad");
     },
     ""},
};

// Western European (1252), as Wine's here: it has e-acute, not Omega or a Chinese character.
const Case kCodePage1252 = {"characters the code page lacks",
                            [] { Name(HKEY_CURRENT_USER, kKey, L"\x03A9mega\tPad \x00E9\x4E2D"); },
                            "?mega?Pad \xE9?"};

TEST(PadNames, FromTheRegistryOrNone) {
  VLMR_WINE_ONLY("writes the system's joystick settings into the registry");
  for (const Case& c : kCases) {
    Clear();
    c.setup();
    EXPECT_EQ(NameOf(), c.expected) << c.what;
  }
  if (GetACP() == 1252) {
    Clear();
    kCodePage1252.setup();
    EXPECT_EQ(NameOf(), kCodePage1252.expected) << kCodePage1252.what;
  }
  // The driver's own key name must be a plain, terminated key name.
  Clear();
  Name(HKEY_CURRENT_USER, kKey, L"Wireless Controller");
  EXPECT_EQ(NameOf(""), "") << "no settings key";
  EXPECT_EQ(NameOf("DINPUT.DLL\\..", 0), "") << "a path";
  EXPECT_EQ(NameOf("DINPUT.DLL0123456789012345678901", 32), "") << "no terminator";
  Clear();
}

}  // namespace
