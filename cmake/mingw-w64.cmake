# Cross-building for Windows x64 with Debian's mingw-w64.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DAEROX_MINGW_PREFIX=<scripts/windows-deps' prefix>
# The posix thread model: the default win32 one has no std::thread or std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Try-compiles see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES AEROX_MINGW_PREFIX)
if(AEROX_MINGW_PREFIX)
  set(CMAKE_FIND_ROOT_PATH ${AEROX_MINGW_PREFIX} /usr/x86_64-w64-mingw32)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the test programs through Wine.
find_program(AEROX_WINE NAMES wine wine64)
if(AEROX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${AEROX_WINE})
endif()
