# Builds tests/depfile/project with one generator and checks that the
# conversion reruns exactly when a picture or folder of the tree changed:
#
#   cmake -DRASTRUM=exe -DGENERATOR=Ninja|"Unix Makefiles" -DWORK=dir -P check.cmake
#
# Each step's outcome ("reran" or "up to date") is printed, so the test's log
# shows what reran when.
cmake_minimum_required(VERSION 3.20)

foreach(required RASTRUM GENERATOR WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check.cmake: -D${required}=... is missing")
  endif()
endforeach()

set(here ${CMAKE_CURRENT_LIST_DIR})
set(pictures ${WORK}/pictures)
set(build ${WORK}/build)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${pictures}/sub)
file(COPY_FILE ${here}/pixel.bmp ${pictures}/one.bmp)
file(COPY_FILE ${here}/pixel.bmp ${pictures}/sub/two.bmp)

execute_process(
  COMMAND ${CMAKE_COMMAND} -G ${GENERATOR} -S ${here}/project -B ${build} -DRASTRUM=${RASTRUM}
          -DPICTURES=${pictures}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "configuring with ${GENERATOR} failed:\n${output}")
endif()

# Builds and checks whether the conversion ran; `expected` is "reran" or
# "up to date", or "either" where the generator decides.
function(build_step name expected)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${build}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: the build failed:\n${output}")
  endif()
  if(output MATCHES "Converting the pictures")
    set(outcome "reran")
  else()
    set(outcome "up to date")
  endif()
  message(STATUS "${GENERATOR}: ${name}: ${outcome}")
  if(NOT expected STREQUAL "either" AND NOT outcome STREQUAL expected)
    message(FATAL_ERROR "${name}: expected '${expected}', the conversion ${outcome}:\n${output}")
  endif()
endfunction()

# Modification times have a second's resolution on some file systems: wait
# so that a change is newer than the outputs.
function(settle)
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
endfunction()

build_step("first build" "reran")
build_step("second build" "up to date")
settle()
file(TOUCH ${pictures}/sub/two.bmp)
build_step("picture touched" "reran")
build_step("after the rerun" "up to date")
settle()
file(COPY_FILE ${here}/pixel.bmp ${pictures}/sub/three.bmp)
build_step("picture added" "reran")
file(READ ${build}/out/tmp.txt enum)
if(NOT enum MATCHES "three")
  message(FATAL_ERROR "picture added: out/tmp.txt has no name for three.bmp:\n${enum}")
endif()
settle()
file(REMOVE ${pictures}/one.bmp)
build_step("picture removed" "reran")
# CMake's Makefile generator (3.25) keeps every prerequisite a dependency
# file ever named, so a removed picture stays a missing prerequisite and the
# conversion reruns on every build; Ninja takes the latest file alone.
if(GENERATOR STREQUAL "Ninja")
  set(settled "up to date")
else()
  set(settled "either")
endif()
build_step("after the removal" "${settled}")
settle()
file(RENAME ${pictures}/sub ${pictures}/renamed)
build_step("folder renamed" "reran")
build_step("after the rename" "${settled}")
settle()
file(WRITE ${pictures}/notes.txt "not a picture\n")
build_step("unselected file added" "reran")
