# Cross-compiles for a Cortex-M4 with Debian's gcc-arm-none-eabi:
#   cmake -S examples/firmware -B build-m4 \
#         -DCMAKE_TOOLCHAIN_FILE=examples/firmware/cmake/arm-none-eabi.cmake
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
# No board to link for: CMake's compiler checks build a library instead.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_C_FLAGS_INIT "-mcpu=cortex-m4 -mthumb -Os -ffunction-sections -fdata-sections")

# Libraries and headers come from the toolchain's own root only; tools that
# run on the build machine are searched for on it.
set(CMAKE_FIND_ROOT_PATH /usr/lib/arm-none-eabi)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
