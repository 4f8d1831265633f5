# CMake toolchain for 64-bit Windows programs built on Debian with mingw-w64.
# The -posix compilers give C++ threads (std::thread, std::mutex) through winpthreads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
