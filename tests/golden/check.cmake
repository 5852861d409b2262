# Runs `rastrum convert` on one committed picture tree at one depth, in a
# fresh folder that holds a copy of the tree, with the tree named relative to
# that folder, so the paths in the report are the same on every machine. Then
# compares the four output files, standard output, standard error and the
# exit status byte for byte with those recorded in expected/.
#
#   cmake -DRASTRUM=exe -DTREE=name -DDEPTH=24|16|8 [-DEXT=text] -DWORK=dir -P check.cmake
#
# With -DRECORD=ON it stores what the run produced as the expected outputs
# instead: run it that way only with the rastrum whose outputs are to be kept
# (commit 723b117 for the committed ones), never with a build under test.
cmake_minimum_required(VERSION 3.20)

foreach(required RASTRUM TREE DEPTH WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check.cmake: -D${required}=... is missing")
  endif()
endforeach()

set(here ${CMAKE_CURRENT_LIST_DIR})
set(expected ${here}/expected/${TREE}-${DEPTH})
set(outputs golden.bin golden.txt tmp.txt bmp.c stdout.txt stderr.txt status.txt)

# tmp.txt and bmp.c are kept as tmp.txt.expected and bmp.c.expected: under
# their own names they would be taken for stray conversion outputs.
function(expected_path output var)
  if(output STREQUAL "tmp.txt" OR output STREQUAL "bmp.c")
    set(${var} ${expected}/${output}.expected PARENT_SCOPE)
  else()
    set(${var} ${expected}/${output} PARENT_SCOPE)
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${here}/trees/${TREE} DESTINATION ${WORK})

set(arguments convert --depth ${DEPTH} --name golden)
if(DEFINED EXT)
  list(APPEND arguments --ext "${EXT}")
endif()
list(APPEND arguments ${TREE})
execute_process(COMMAND ${RASTRUM} ${arguments}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_FILE ${WORK}/stdout.txt
  ERROR_FILE ${WORK}/stderr.txt
  RESULT_VARIABLE status)
file(WRITE ${WORK}/status.txt "${status}\n")

if(RECORD)
  file(REMOVE_RECURSE ${expected})
  file(MAKE_DIRECTORY ${expected})
  foreach(output IN LISTS outputs)
    expected_path(${output} kept)
    file(COPY_FILE ${WORK}/${output} ${kept})
  endforeach()
  message(STATUS "Recorded ${expected}")
  return()
endif()

set(differing)
foreach(output IN LISTS outputs)
  if(NOT EXISTS ${WORK}/${output})
    list(APPEND differing "${output} (not written)")
    continue()
  endif()
  expected_path(${output} kept)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${kept} ${WORK}/${output}
    RESULT_VARIABLE different OUTPUT_QUIET ERROR_QUIET)
  if(different)
    list(APPEND differing ${output})
  endif()
endforeach()
if(differing)
  list(JOIN differing ", " differing)
  message(FATAL_ERROR "${TREE} at depth ${DEPTH}: ${differing} differ from ${expected} "
                      "(this run's outputs are in ${WORK})")
endif()
