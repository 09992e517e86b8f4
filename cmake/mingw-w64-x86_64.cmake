# Cross toolchain: 64-bit Windows executables from Linux with Debian's MinGW-w64.
#
# Dependencies: g++-mingw-w64-x86-64, zlib from libz-mingw-w64-dev (/usr/x86_64-w64-mingw32),
# libpng and GoogleTest cross-built by scripts/setup into build/deps/mingw.
# The prefix of those two can be moved with -DVLMR_DEPS=... or the VLMR_DEPS environment
# variable. Executables registered with add_test run through scripts/wine-run.
# Limitations: Debian selects the "win32" thread model by default, and GCC 12 has no
# std::mutex or std::condition_variable there, which GoogleTest needs. We use the "posix"
# model (winpthreads, linked statically like the rest of the runtime), as MSYS2 does.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VLMR_MINGW_TRIPLE x86_64-w64-mingw32)
get_filename_component(VLMR_REPO_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

# Debian installs one compiler per thread model behind an alternative; name the posix one
# so that deps and project agree whatever the alternative points at.
find_program(VLMR_MINGW_GCC NAMES ${VLMR_MINGW_TRIPLE}-gcc-posix ${VLMR_MINGW_TRIPLE}-gcc REQUIRED)
find_program(VLMR_MINGW_GXX NAMES ${VLMR_MINGW_TRIPLE}-g++-posix ${VLMR_MINGW_TRIPLE}-g++ REQUIRED)
set(CMAKE_C_COMPILER "${VLMR_MINGW_GCC}")
set(CMAKE_CXX_COMPILER "${VLMR_MINGW_GXX}")
set(CMAKE_RC_COMPILER ${VLMR_MINGW_TRIPLE}-windres)

if(NOT VLMR_DEPS)
  if(DEFINED ENV{VLMR_DEPS})
    set(VLMR_DEPS "$ENV{VLMR_DEPS}")
  else()
    set(VLMR_DEPS "${VLMR_REPO_ROOT}/build/deps/mingw")
  endif()
endif()
set(VLMR_DEPS "${VLMR_DEPS}" CACHE PATH "Prefix of the cross-built libpng and GoogleTest")

# Try-compile projects re-read this file; hand them the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VLMR_DEPS)

set(CMAKE_FIND_ROOT_PATH "${VLMR_DEPS}" /usr/${VLMR_MINGW_TRIPLE})
set(CMAKE_PREFIX_PATH "${VLMR_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link zlib statically (the Debian package also ships an import library for zlib1.dll).
set(ZLIB_USE_STATIC_LIBS ON)

set(CMAKE_CROSSCOMPILING_EMULATOR "${VLMR_REPO_ROOT}/scripts/wine-run")
