# Preprocesses a one-line source per header in the include context of one
# target: every header in FOUND must be found there, and every header in
# MISSING must not be, the compiler failing on exactly that header. A header
# in either list must exist in the source tree, so a renamed file cannot make
# a check pass by itself.
#
#   cmake -DCOMPILER=c++ -DSOURCE_DIR=dir -DWORK=dir -DINCLUDE_DIRS=a|b
#         -DFOUND=x.h|y.h -DMISSING=z.h -P check_includes.cmake
cmake_minimum_required(VERSION 3.20)

foreach(required COMPILER SOURCE_DIR WORK INCLUDE_DIRS)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check_includes.cmake: -D${required}=... is missing")
  endif()
endforeach()
string(REPLACE "|" ";" include_dirs "${INCLUDE_DIRS}")
string(REPLACE "|" ";" found "${FOUND}")
string(REPLACE "|" ";" missing "${MISSING}")
list(TRANSFORM include_dirs PREPEND -I)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# Sets `status` and `output` to the result of preprocessing #include "header".
function(preprocess header)
  string(MAKE_C_IDENTIFIER ${header} stem)
  file(WRITE ${WORK}/${stem}.cpp "#include \"${header}\"\n")
  execute_process(
    COMMAND ${COMPILER} -std=c++20 -E ${include_dirs} ${WORK}/${stem}.cpp -o ${WORK}/${stem}.ii
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(status ${result} PARENT_SCOPE)
  set(output "${out}" PARENT_SCOPE)
endfunction()

set(faults)
foreach(header IN LISTS found missing)
  if(NOT EXISTS ${SOURCE_DIR}/${header})
    list(APPEND faults "${header} is not in the source tree: the check needs another header")
  endif()
endforeach()
foreach(header IN LISTS found)
  preprocess(${header})
  if(NOT status EQUAL 0)
    list(APPEND faults "${header} should be found, but:\n${output}")
  endif()
endforeach()
foreach(header IN LISTS missing)
  preprocess(${header})
  string(REPLACE "." "\\." pattern "${header}")
  # GCC: "x.h: No such file or directory"; clang: "'x.h' file not found".
  if(status EQUAL 0)
    list(APPEND faults "${header} should not be found, but it is")
  elseif(NOT output MATCHES "${pattern}'?:? (No such file or directory|file not found)")
    list(APPEND faults "${header} should fail as not found, but:\n${output}")
  endif()
endforeach()
if(faults)
  list(JOIN faults "\n" faults)
  message(FATAL_ERROR "${faults}")
endif()
