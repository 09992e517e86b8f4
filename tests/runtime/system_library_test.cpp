// LoadSystemLibrary under the real loader: a DLL planted in the working folder is never
// loaded, whether the system has a library of that name or not.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/system_library.h"

namespace {

namespace fs = std::filesystem;

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(module, path, MAX_PATH);
  return path;
}

TEST(SystemLibrary, PlantedDllsInTheWorkingFolderAreNeverLoaded) {
  char temp[MAX_PATH];
  ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
  const fs::path folder = fs::path(temp) / ("vlmr-plant-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(folder);
  for (const char* name : {"vlmrplanted.dll", "msimg32.dll"})
    fs::copy_file(VLMR_MARKER_DLL, folder / name, fs::copy_options::overwrite_existing);
  char before[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, before);
  SetCurrentDirectoryA(folder.string().c_str());

  // Only the working folder has this one: a search by bare name finds it, we do not.
  EXPECT_EQ(LoadSystemLibrary("vlmrplanted.dll"), nullptr);
  EXPECT_FALSE(fs::exists(folder / "vlmrplanted.dll.loaded"));
  EXPECT_EQ(LoadLibraryA("vlmrplanted.dll"), nullptr);  // the marker refuses to stay
  EXPECT_TRUE(fs::exists(folder / "vlmrplanted.dll.loaded"));

  // The system has this one: it comes from the system folder.
  HMODULE system = LoadSystemLibrary("msimg32.dll");
  ASSERT_NE(system, nullptr);
  char systemFolder[MAX_PATH];
  GetSystemDirectoryA(systemFolder, MAX_PATH);
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, ModulePath(system).c_str(), int(strlen(systemFolder)),
                           systemFolder, -1),
            CSTR_EQUAL)
      << ModulePath(system);
  EXPECT_FALSE(fs::exists(folder / "msimg32.dll.loaded"));
  FreeLibrary(system);

  SetCurrentDirectoryA(before);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
