# Checks that the firmware library keeps the picture table and pixels in
# flash: art_pictures and art_data read-only, art_data as large as art.bin,
# and nothing at all in .data or .bss (which would cost RAM).
#
#   cmake -DSIZE=arm-none-eabi-size -DNM=arm-none-eabi-nm -DLIBRARY=lib.a
#         -DHEADER=art.h -P check_in_flash.cmake
cmake_minimum_required(VERSION 3.21)

foreach(required SIZE NM LIBRARY HEADER)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check_in_flash.cmake: -D${required}=... is missing")
  endif()
endforeach()

function(run output_var)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "check_in_flash: ${ARGN} failed: ${error}")
  endif()
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

file(STRINGS ${HEADER} size_line REGEX "#define ART_BINARY_SIZE ")
string(REGEX REPLACE ".* ([0-9]+)u.*" "\\1" binary_size "${size_line}")

run(sections ${SIZE} -A ${LIBRARY})
string(REPLACE "\n" ";" lines "${sections}")
set(rodata 0)
set(writable)
foreach(line IN LISTS lines)
  if(line MATCHES "^(\\.[A-Za-z0-9_.]+) +([0-9]+)")
    set(name ${CMAKE_MATCH_1})
    set(bytes ${CMAKE_MATCH_2})
    if(name MATCHES "^\\.rodata")
      math(EXPR rodata "${rodata} + ${bytes}")
    elseif(name MATCHES "^\\.(data|bss)" AND bytes GREATER 0)
      list(APPEND writable "${name} (${bytes} bytes)")
    endif()
  endif()
endforeach()
if(writable)
  message(FATAL_ERROR "check_in_flash: ${LIBRARY} puts RAM sections ${writable}:\n${sections}")
endif()

run(symbols ${NM} -S ${LIBRARY})
foreach(symbol art_data art_pictures)
  if(NOT symbols MATCHES "[0-9a-f]+ ([0-9a-f]+) R ${symbol}\n")
    message(FATAL_ERROR "check_in_flash: ${symbol} is not a read-only symbol of ${LIBRARY}:\n${symbols}")
  endif()
  set(${symbol}_size ${CMAKE_MATCH_1})
endforeach()
math(EXPR art_data_size "0x${art_data_size}")
if(NOT art_data_size EQUAL binary_size)
  message(FATAL_ERROR "check_in_flash: art_data is ${art_data_size} bytes, art.bin ${binary_size}")
endif()
message(STATUS "check_in_flash: art_data and art_pictures in flash, ${rodata} bytes of .rodata "
               "(art.bin is ${binary_size}), nothing in .data or .bss")
