# Cross-compiles for 64-bit Windows with Debian's MinGW-w64:
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The executables link the C and C++ runtimes statically, so each .exe runs on
# a Windows PC on its own. Where Wine is installed, CMake runs them through it.
#
# The posix thread model (package g++-mingw-w64-x86-64-posix): GCC 12's win32
# model has no std::mutex, which GoogleTest needs. The program starts no
# threads, so it differs only in carrying the static winpthreads library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RASTRUM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RASTRUM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RASTRUM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RASTRUM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${RASTRUM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(RASTRUM_WINE wine)
if(RASTRUM_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RASTRUM_WINE})
endif()
