# rastrum_add_pictures(<target> FOLDER <dir> [EXT <words>] [DEPTH <24|16|8>]
#                      [NAME <stem>] [OUTPUT_DIR <dir>])
#
# Converts the picture tree FOLDER with Rastrum::rastrum into NAME.bin,
# NAME.txt, tmp.txt and bmp.c in OUTPUT_DIR before <target> is built. The
# conversion's dependency file makes Ninja and Makefiles rerun it only when
# a picture or a folder of the tree changed. Defaults: EXT "bmp", DEPTH 16,
# NAME "pictures", OUTPUT_DIR <current binary dir>/rastrum_<NAME> (tmp.txt and
# bmp.c have fixed names, so each conversion needs a folder of its own).
#
# Included by RastrumConfig.cmake, and by Rastrum's own CMakeLists.txt when
# another project takes it in with add_subdirectory.
include_guard(GLOBAL)

# Options of the function that the rastrum it runs does not take yet, each
# with the command-line option it needs; they are refused at configure time.
set(RASTRUM_MISSING_OPTIONS
    "FORMAT=--format" "ALIGN=--align" "DITHER=--dither" "HEADER=--header" "EMBED=--embed")

function(rastrum_add_pictures target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "EMBED"
                        "FOLDER;DEPTH;NAME;OUTPUT_DIR;FORMAT;ALIGN;DITHER;BACKGROUND;INPUT"
                        "EXT;HEADER")
  foreach(missing IN LISTS RASTRUM_MISSING_OPTIONS)
    string(REPLACE "=" ";" missing "${missing}")
    list(GET missing 0 keyword)
    list(GET missing 1 cli_option)
    # EMBED is a flag: always defined, true when given.
    if(keyword STREQUAL "EMBED")
      set(given ${arg_EMBED})
    elseif(DEFINED arg_${keyword} OR keyword IN_LIST arg_KEYWORDS_MISSING_VALUES)
      set(given TRUE)
    else()
      set(given FALSE)
    endif()
    if(given)
      message(FATAL_ERROR "rastrum_add_pictures: ${keyword} needs a rastrum with ${cli_option}")
    endif()
  endforeach()
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "rastrum_add_pictures: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "rastrum_add_pictures: ${target} is not a target")
  endif()
  if(NOT arg_FOLDER)
    message(FATAL_ERROR "rastrum_add_pictures: FOLDER <dir> is required")
  endif()
  if(NOT DEFINED arg_DEPTH)
    set(arg_DEPTH 16)
  endif()
  if(NOT arg_DEPTH MATCHES "^(24|16|8)$")
    message(FATAL_ERROR "rastrum_add_pictures: DEPTH must be 24, 16 or 8, not '${arg_DEPTH}'")
  endif()
  if(NOT arg_NAME)
    set(arg_NAME pictures)
  endif()
  if(NOT DEFINED arg_EXT)
    set(arg_EXT bmp)
  endif()
  list(JOIN arg_EXT " " extensions)
  set(options)
  if(DEFINED arg_INPUT)
    if(NOT arg_INPUT MATCHES "^(strict|any)$")
      message(FATAL_ERROR "rastrum_add_pictures: INPUT must be strict or any, not '${arg_INPUT}'")
    endif()
    list(APPEND options --input ${arg_INPUT})
  endif()
  if(DEFINED arg_BACKGROUND)
    if(NOT arg_BACKGROUND MATCHES "^[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]$")
      message(FATAL_ERROR
              "rastrum_add_pictures: BACKGROUND must be six hex digits, not '${arg_BACKGROUND}'")
    endif()
    list(APPEND options --background ${arg_BACKGROUND})
  endif()
  if(NOT arg_OUTPUT_DIR)
    set(arg_OUTPUT_DIR ${CMAKE_CURRENT_BINARY_DIR}/rastrum_${arg_NAME})
  endif()
  get_filename_component(folder "${arg_FOLDER}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(out "${arg_OUTPUT_DIR}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})

  set(depfile ${out}/${arg_NAME}.d)
  add_custom_command(
    OUTPUT ${out}/${arg_NAME}.bin ${out}/${arg_NAME}.txt ${out}/tmp.txt ${out}/bmp.c
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND Rastrum::rastrum convert --depth ${arg_DEPTH} "--ext=${extensions}"
            ${options} --name ${arg_NAME} --out ${out} --depfile ${depfile} ${folder}
    DEPENDS $<TARGET_FILE:Rastrum::rastrum>
    DEPFILE ${depfile}
    COMMENT "rastrum: converting ${folder} into ${out}/${arg_NAME}.bin"
    VERBATIM)
  add_custom_target(${target}_rastrum_${arg_NAME} DEPENDS ${out}/${arg_NAME}.bin)
  add_dependencies(${target} ${target}_rastrum_${arg_NAME})
endfunction()
