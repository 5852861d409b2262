# Makes the Windows zip: rastrum.exe, ZT_Rastrum.exe, README.md, LICENSE.txt
# and THIRD-PARTY-NOTICES.txt, side by side at the top of the archive. The
# programs link their libraries statically, so the zip carries those
# libraries' licence texts, as the Debian packages the build used ship them.
#
#   cmake -DSOURCE=dir -DZIP=file -DRASTRUM_EXE=file -DDIALOG_EXE=file -P windows_zip.cmake
cmake_minimum_required(VERSION 3.21)

foreach(required SOURCE ZIP RASTRUM_EXE DIALOG_EXE)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "windows_zip.cmake: -D${required}=... is missing")
  endif()
endforeach()

# Each statically linked library, then the Debian package whose copyright
# file covers it. libspng and libjpeg-turbo are built from the source
# versions of the -dev packages (scripts/build-windows-deps.sh); nlohmann-json
# is compiled in from its headers; the others come built for MinGW-w64 in
# these packages.
set(libraries
  "libspng" libspng-dev
  "libjpeg-turbo" libjpeg62-turbo-dev
  "zlib" libz-mingw-w64-dev
  "nlohmann-json (header-only)" nlohmann-json3-dev
  "MinGW-w64 runtime and winpthreads" mingw-w64-x86-64-dev
  "GCC runtime: libstdc++ and libgcc" g++-mingw-w64-x86-64-posix)

set(rule "==============================================================================")
set(notices "Third-party software in rastrum.exe and ZT_Rastrum.exe

Both programs are linked statically with the libraries below. Each section
gives a library's copyright and licence text as Debian ships it with the
package named (/usr/share/doc/<package>/copyright).
")
while(libraries)
  list(POP_FRONT libraries name package)
  set(copyright /usr/share/doc/${package}/copyright)
  execute_process(COMMAND dpkg-query -W -f=\${Version} ${package}
                  RESULT_VARIABLE status OUTPUT_VARIABLE version ERROR_QUIET)
  if(NOT status EQUAL 0 OR NOT EXISTS ${copyright})
    message(FATAL_ERROR "windows_zip: no licence text for ${name}: "
                        "Debian package ${package} is not installed or has no ${copyright}")
  endif()
  file(READ ${copyright} text)
  string(APPEND notices "\n${rule}\n${name} (Debian package ${package} ${version})\n${rule}\n\n${text}")
endwhile()

get_filename_component(stage ${ZIP} DIRECTORY)
set(stage ${stage}/windows-zip)
file(REMOVE_RECURSE ${stage})
file(REMOVE ${ZIP})
file(MAKE_DIRECTORY ${stage})
file(COPY_FILE ${RASTRUM_EXE} ${stage}/rastrum.exe)
file(COPY_FILE ${DIALOG_EXE} ${stage}/ZT_Rastrum.exe)
file(COPY_FILE ${SOURCE}/README.md ${stage}/README.md)
file(COPY_FILE ${SOURCE}/LICENSE ${stage}/LICENSE.txt)
file(WRITE ${stage}/THIRD-PARTY-NOTICES.txt "${notices}")

set(files rastrum.exe ZT_Rastrum.exe README.md LICENSE.txt THIRD-PARTY-NOTICES.txt)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${files}
                WORKING_DIRECTORY ${stage} RESULT_VARIABLE status ERROR_VARIABLE error)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "windows_zip: writing ${ZIP} failed: ${error}")
endif()
list(JOIN files ", " listed)
message(STATUS "${ZIP}: ${listed}")
