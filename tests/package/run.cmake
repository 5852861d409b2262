# run(<what> <command>...): runs the command, stops the script with its
# output when it fails, and leaves that output in `output`. Shared by the
# scripts that install a build and build projects against it.
include_guard(GLOBAL)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed:\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()
