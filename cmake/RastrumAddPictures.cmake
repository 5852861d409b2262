# rastrum_add_pictures(<target> FOLDER <dir> [EXT <words>]
#                      [FORMAT <name> | DEPTH <24|16|8>] [ALIGN <n>] [DITHER <mode>]
#                      [BACKGROUND <RRGGBB>] [INPUT strict|any]
#                      [HEADER <NAME> [EMBED]] [NAME <stem>] [OUTPUT_DIR <dir>])
#
# Converts the picture tree FOLDER with Rastrum::rastrum before <target> is
# built. Without HEADER it writes NAME.bin, NAME.txt, tmp.txt and bmp.c into
# OUTPUT_DIR; with HEADER, <NAME>.h, <NAME>.c and <NAME>.bin, adds <NAME>.c to
# the target's sources and OUTPUT_DIR to its include directories. The
# conversion's dependency file makes Ninja and Makefiles rerun it only when a
# picture or a folder of the tree changed. Defaults: EXT "bmp", DEPTH 16,
# NAME "pictures", OUTPUT_DIR <current binary dir>/rastrum_<NAME or HEADER>
# (tmp.txt and bmp.c have fixed names, so each conversion needs a folder of
# its own).
#
# Included by RastrumConfig.cmake, and by Rastrum's own CMakeLists.txt when
# another project takes it in with add_subdirectory.
include_guard(GLOBAL)

# In rastrum_add_pictures: when KEYWORD was given, checks its value against
# `pattern` (`what` says what it must be) and adds `option value` to the
# command line.
macro(_rastrum_add_option keyword option pattern what)
  if(DEFINED arg_${keyword})
    if(NOT arg_${keyword} MATCHES "${pattern}")
      message(FATAL_ERROR
              "rastrum_add_pictures: ${keyword} must be ${what}, not '${arg_${keyword}}'")
    endif()
    list(APPEND options ${option} ${arg_${keyword}})
  endif()
endmacro()

function(rastrum_add_pictures target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "EMBED"
                        "FOLDER;DEPTH;NAME;OUTPUT_DIR;FORMAT;ALIGN;DITHER;BACKGROUND;INPUT;HEADER"
                        "EXT")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "rastrum_add_pictures: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "rastrum_add_pictures: ${target} is not a target")
  endif()
  if(NOT arg_FOLDER)
    message(FATAL_ERROR "rastrum_add_pictures: FOLDER <dir> is required")
  endif()
  # Set here, not beside the function: a project that takes Rastrum in with
  # add_subdirectory calls it from outside that folder's scope.
  set(formats rgb565 rgb565le bgr565 bgr565le rgb888 bgr888 r3g2b3 rgb332 argb8888 rgba8888
              rgb565a8)
  set(options)
  if(DEFINED arg_DEPTH AND DEFINED arg_FORMAT)
    message(FATAL_ERROR "rastrum_add_pictures: give DEPTH or FORMAT, not both")
  elseif(DEFINED arg_FORMAT)
    if(NOT arg_FORMAT IN_LIST formats)
      list(JOIN formats ", " formats)
      message(FATAL_ERROR "rastrum_add_pictures: FORMAT must be one of ${formats}, "
                          "not '${arg_FORMAT}'")
    endif()
    list(APPEND options --format ${arg_FORMAT})
  else()
    if(NOT DEFINED arg_DEPTH)
      set(arg_DEPTH 16)
    endif()
    _rastrum_add_option(DEPTH --depth "^(24|16|8)$" "24, 16 or 8")
  endif()
  _rastrum_add_option(ALIGN --align "^(1|2|4|8|16|32|64|128|256|512|1024|2048|4096)$"
                      "a power of two from 1 to 4096")
  _rastrum_add_option(DITHER --dither "^(none|ordered|diffusion)$" "none, ordered or diffusion")
  if(DEFINED arg_HEADER)
    if(NOT arg_HEADER MATCHES "^[A-Za-z][A-Za-z0-9_]*$")
      message(FATAL_ERROR "rastrum_add_pictures: HEADER must be a C identifier, not '${arg_HEADER}'")
    endif()
    if(DEFINED arg_NAME)
      message(FATAL_ERROR "rastrum_add_pictures: NAME names the four files that HEADER replaces: "
                          "give one of them")
    endif()
  elseif(arg_EMBED)
    message(FATAL_ERROR "rastrum_add_pictures: EMBED needs HEADER <NAME>")
  endif()
  if(NOT arg_NAME)
    set(arg_NAME pictures)
  endif()
  if(NOT DEFINED arg_EXT)
    set(arg_EXT bmp)
  endif()
  list(JOIN arg_EXT " " extensions)
  _rastrum_add_option(INPUT --input "^(strict|any)$" "strict or any")
  _rastrum_add_option(BACKGROUND --background
                      "^[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]$"
                      "six hex digits")
  if(DEFINED arg_HEADER)
    set(stem ${arg_HEADER})
  else()
    set(stem ${arg_NAME})
  endif()
  if(NOT arg_OUTPUT_DIR)
    set(arg_OUTPUT_DIR ${CMAKE_CURRENT_BINARY_DIR}/rastrum_${stem})
  endif()
  get_filename_component(folder "${arg_FOLDER}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(out "${arg_OUTPUT_DIR}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})

  if(DEFINED arg_HEADER)
    set(outputs ${out}/${stem}.bin ${out}/${stem}.h ${out}/${stem}.c)
    list(APPEND options --header ${stem})
    if(arg_EMBED)
      list(APPEND options --embed)
    endif()
  else()
    set(outputs ${out}/${stem}.bin ${out}/${stem}.txt ${out}/tmp.txt ${out}/bmp.c)
    list(APPEND options --name ${stem})
  endif()
  set(depfile ${out}/${stem}.d)
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND Rastrum::rastrum convert "--ext=${extensions}" ${options} --out ${out}
            --depfile ${depfile} ${folder}
    DEPENDS $<TARGET_FILE:Rastrum::rastrum>
    DEPFILE ${depfile}
    COMMENT "rastrum: converting ${folder} into ${out}/${stem}.bin"
    VERBATIM)
  add_custom_target(${target}_rastrum_${stem} DEPENDS ${outputs})
  add_dependencies(${target} ${target}_rastrum_${stem})
  if(DEFINED arg_HEADER)
    target_sources(${target} PRIVATE ${out}/${stem}.c)
    target_include_directories(${target} PRIVATE ${out})
  endif()
endfunction()
