# The firmware example: installs the build BUILD into a prefix under WORK,
# builds examples/firmware against it for the build machine and runs its
# host check (also on a binary with one pixel changed, which must fail),
# then builds it for a Cortex-M4 with arm-none-eabi-gcc, whose build checks
# that the picture table and pixels stay in flash.
#
#   cmake -DSOURCE=dir -DBUILD=dir -DWORK=dir [-DLAUNCHER=ccache] -P firmware.cmake
cmake_minimum_required(VERSION 3.21)

foreach(required SOURCE BUILD WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "firmware.cmake: -D${required}=... is missing")
  endif()
endforeach()
find_program(arm_gcc arm-none-eabi-gcc)
if(NOT arm_gcc)
  message(FATAL_ERROR "arm-none-eabi-gcc is missing: `scripts/install-deps.sh test` installs it")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/run.cmake)
set(example ${SOURCE}/examples/firmware)
set(prefix ${WORK}/prefix)
set(host ${WORK}/host)
file(REMOVE_RECURSE ${WORK})
run("installing" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
set(launcher)
if(LAUNCHER)
  set(launcher -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER})
endif()

run("configuring the example for the build machine" ${CMAKE_COMMAND} -G Ninja -S ${example}
    -B ${host} -DCMAKE_PREFIX_PATH=${prefix} ${launcher})
run("building the example for the build machine" ${CMAKE_COMMAND} --build ${host})
run("the host check" ${CMAKE_CTEST_COMMAND} --test-dir ${host} --output-on-failure -V)
if(NOT output MATCHES "host_check: 4 pictures match their sources")
  message(FATAL_ERROR "the host check passed without checking the pictures:\n${output}")
endif()
run("building the example again" ${CMAKE_COMMAND} --build ${host})
if(output MATCHES "rastrum: converting")
  message(FATAL_ERROR "the conversion reran with nothing changed:\n${output}")
endif()
message(STATUS "build machine: converted, every picture and the CRC checked, up to date")

# A zero byte over pixel (5, 3) of icons/icon-16.bmp, the second picture,
# 56 bytes in (0x52C6, whose low byte comes first): the check must fail and
# name that picture and pixel.
set(broken ${WORK}/broken.bin)
file(COPY_FILE ${host}/rastrum_art/art.bin ${broken})
run("changing a pixel" dd if=/dev/zero of=${broken} bs=1 seek=162 count=1 conv=notrunc)
execute_process(COMMAND ${host}/host_check ${broken} ${example}/pictures RESULT_VARIABLE status
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(status EQUAL 0 OR NOT output MATCHES "icon-16.bmp: pixel \\(5, 3\\) reads 0x5200 from art.bin")
  message(FATAL_ERROR "a changed pixel was not reported (exit ${status}):\n${output}")
endif()
string(STRIP "${output}" output)
message(STATUS "build machine: a changed pixel reported: ${output}")

set(m4 ${WORK}/cortex-m4)
run("configuring the example for a Cortex-M4" ${CMAKE_COMMAND} -G Ninja -S ${example} -B ${m4}
    -DCMAKE_TOOLCHAIN_FILE=${example}/cmake/arm-none-eabi.cmake -DCMAKE_PREFIX_PATH=${prefix}
    ${launcher})
run("building the example for a Cortex-M4" ${CMAKE_COMMAND} --build ${m4})
if(NOT output MATCHES "check_in_flash: art_data and art_pictures in flash")
  message(FATAL_ERROR "the Cortex-M4 build did not check where the pictures went:\n${output}")
endif()
message(STATUS "Cortex-M4: built with ${arm_gcc}, table and pixels in flash")
