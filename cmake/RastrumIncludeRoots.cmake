# Include roots that enforce the layers. A target never gets the source tree
# as an include directory: it gets a root in the build tree that holds links
# to its own folders only, at their paths in the source tree, so #include
# "engine/x.h" keeps its spelling and finds the file only where engine/ is
# linked in. A library's root reaches its users through the scope given, so a
# target sees its own folders and those of the libraries it links, and an
# include that points up or across the layers fails to compile
# (tests/layers checks that it does).
#
#   rastrum_include_root(<target> <PUBLIC|PRIVATE|INTERFACE> <path>...)
#
# Each <path> is a folder or a single header, relative to the source root.
# One call per target: the root is laid anew on every configure, so a link
# dropped from the call does not linger.
function(rastrum_include_root target scope)
  set(root ${PROJECT_BINARY_DIR}/include-roots/${target})
  # Removes the links, never what they point at.
  file(REMOVE_RECURSE ${root})
  foreach(path IN LISTS ARGN)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${path})
      message(FATAL_ERROR "rastrum_include_root(${target}): no ${path} in the source tree")
    endif()
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()
