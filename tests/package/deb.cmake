# The Debian package: made by cpack from the build BUILD into WORK, named
# rastrum_<version>_<arch>.deb, depending only on packages dpkg knows, and
# holding a rastrum that runs, the CMake package, the licence and, with
# DIALOG on, ZT_Rastrum, its desktop entry and icon. Unpacked with dpkg -x:
# installing it would change the machine the tests run on
# (scripts/test-deb-install.sh installs it under CI).
#
#   cmake -DBUILD=dir -DWORK=dir -DVERSION=x.y.z.w [-DDIALOG=ON] -P deb.cmake
cmake_minimum_required(VERSION 3.21)

foreach(required BUILD WORK VERSION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "deb.cmake: -D${required}=... is missing")
  endif()
endforeach()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
                  ERROR_VARIABLE error OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed:\n${output}\n${error}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
run("cpack" ${CMAKE_CPACK_COMMAND} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK})
run("dpkg --print-architecture" dpkg --print-architecture)
set(deb ${WORK}/rastrum_${VERSION}_${output}.deb)
if(NOT EXISTS ${deb})
  file(GLOB made ${WORK}/*.deb)
  message(FATAL_ERROR "no ${deb}; cpack made: ${made}")
endif()

run("reading Depends" dpkg-deb -f ${deb} Depends)
string(REGEX REPLACE "\\([^)]*\\)" "" depends "${output}")
string(REPLACE "," ";" depends "${depends}")
foreach(dependency IN LISTS depends)
  string(STRIP "${dependency}" dependency)
  run("looking up ${dependency}" dpkg-query -W ${dependency})
endforeach()

run("unpacking" dpkg-deb -x ${deb} ${WORK}/root)
run("the packaged rastrum" ${WORK}/root/usr/bin/rastrum --version)
if(NOT output STREQUAL VERSION)
  message(FATAL_ERROR "the packaged rastrum says '${output}', not ${VERSION}")
endif()
set(expected usr/lib/cmake/Rastrum/RastrumConfig.cmake usr/share/doc/rastrum/copyright)
if(DIALOG)
  list(APPEND expected usr/bin/ZT_Rastrum usr/share/applications/zt-rastrum.desktop
       usr/share/icons/hicolor/96x96/apps/zt-rastrum.png)
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${WORK}/root/${file})
    message(FATAL_ERROR "the package has no /${file}")
  endif()
endforeach()
message(STATUS "${deb}: depends on ${depends}")
