# Cross-building a game for Windows x64 with Debian's mingw-w64, against
# this kit:
#   cmake -S mygame -B build -DCMAKE_TOOLCHAIN_FILE=<kit>/mingw-w64.cmake -DCMAKE_PREFIX_PATH=<kit>
# The posix thread model: the default win32 one has no std::thread or std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries, headers and CMake packages come only from the Windows side:
# this kit (the folder of this file, wherever it was unpacked), the
# prefixes given in CMAKE_PREFIX_PATH and mingw-w64's own. A prefix that
# is itself a root is searched as it is, not under another root.
set(CMAKE_FIND_ROOT_PATH ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_PREFIX_PATH} /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the test programs through Wine, where it is installed.
find_program(MINGW_W64_WINE NAMES wine wine64)
if(MINGW_W64_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MINGW_W64_WINE})
endif()
