# The CMake package: installs the build BUILD into a prefix under WORK, then
# builds tests/package/consumer against it with find_package and, from
# SOURCE, as a subproject; and checks that a wrong option to
# rastrum_add_pictures stops the configuration with a clear message.
#
#   cmake -DSOURCE=dir -DBUILD=dir -DWORK=dir [-DLAUNCHER=ccache] -P check.cmake
cmake_minimum_required(VERSION 3.21)

foreach(required SOURCE BUILD WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check.cmake: -D${required}=... is missing")
  endif()
endforeach()

set(here ${CMAKE_CURRENT_LIST_DIR})
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/pictures/sub)
file(COPY_FILE ${SOURCE}/tests/depfile/pixel.bmp ${WORK}/pictures/a.bmp)
file(COPY_FILE ${SOURCE}/tests/depfile/pixel.bmp ${WORK}/pictures/sub/b.BMP)

include(${here}/run.cmake)

run("installing" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
foreach(file bin/rastrum lib/cmake/Rastrum/RastrumConfig.cmake
             lib/cmake/Rastrum/RastrumConfigVersion.cmake lib/cmake/Rastrum/RastrumTargets.cmake)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the install has no ${file}")
  endif()
endforeach()

set(launcher)
if(LAUNCHER)
  set(launcher -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
foreach(way installed "installed-make" subproject)
  set(build ${WORK}/${way})
  set(generator Ninja)
  if(way STREQUAL "installed-make")
    set(generator "Unix Makefiles")
  endif()
  if(way MATCHES "^installed")
    set(how -DCMAKE_PREFIX_PATH=${prefix})
  else()
    set(how -DRASTRUM_SOURCE=${SOURCE} -DRASTRUM_BUILD_DIALOG=OFF)
  endif()
  run("configuring the ${way} consumer" ${CMAKE_COMMAND} -G ${generator} -S ${here}/consumer -B ${build}
      -DPICTURES=${WORK}/pictures ${how} ${launcher})
  run("building the ${way} consumer" ${CMAKE_COMMAND} --build ${build})
  file(READ ${build}/rastrum_logo/tmp.txt enum)
  if(NOT EXISTS ${build}/rastrum_logo/logo.bin OR NOT enum MATCHES "b")
    message(FATAL_ERROR "${way}: no conversion of both pictures in ${build}/rastrum_logo")
  endif()
  execute_process(COMMAND ${build}/firmware RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${way}: the program built with HEADER art read the wrong table or data")
  endif()
  run("building the ${way} consumer again" ${CMAKE_COMMAND} --build ${build})
  if(output MATCHES "rastrum: converting")
    message(FATAL_ERROR "${way}: the conversion reran with nothing changed:\n${output}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
  file(TOUCH ${WORK}/pictures/sub/b.BMP)
  run("building the ${way} consumer after a picture changed" ${CMAKE_COMMAND} --build ${build})
  if(NOT output MATCHES "rastrum: converting")
    message(FATAL_ERROR "${way}: a changed picture did not rerun the conversion:\n${output}")
  endif()
  message(STATUS "${way} (${generator}): converted, up to date, reran after a picture changed")
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${here}/bad -B ${WORK}/bad -DCMAKE_PREFIX_PATH=${prefix}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(status EQUAL 0 OR NOT output MATCHES "rastrum_add_pictures: FORMAT must be one of rgb565, .*not[ \n]+'rgb666'")
  message(FATAL_ERROR "an unknown FORMAT was not refused at configure time:\n${output}")
endif()
message(STATUS "an unknown FORMAT refused at configure time")
