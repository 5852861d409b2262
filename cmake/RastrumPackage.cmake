# The CMake package `cmake --install` puts under lib/cmake/Rastrum, for
# find_package(Rastrum): Rastrum::rastrum and rastrum_add_pictures.
include(CMakePackageConfigHelpers)
set(RASTRUM_PACKAGE_DIR lib/cmake/Rastrum)
install(EXPORT RastrumTargets NAMESPACE Rastrum:: DESTINATION ${RASTRUM_PACKAGE_DIR})
# ARCH_INDEPENDENT: the package is a program run on the build machine, so a
# 32-bit firmware target may use a 64-bit rastrum.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/RastrumConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/RastrumConfig.cmake
              ${CMAKE_CURRENT_LIST_DIR}/RastrumAddPictures.cmake
              ${PROJECT_BINARY_DIR}/RastrumConfigVersion.cmake
        DESTINATION ${RASTRUM_PACKAGE_DIR})
# A project that takes Rastrum in with add_subdirectory calls the same
# function, on the same target name.
if(NOT PROJECT_IS_TOP_LEVEL)
  include(${CMAKE_CURRENT_LIST_DIR}/RastrumAddPictures.cmake)
endif()

# The Debian package rastrum_<version>_<arch>.deb, made by the target `deb`:
# what `cmake --install` puts in place, under /usr, depending on the Debian
# packages dpkg-shlibdeps finds the executables linked against.
if(PROJECT_IS_TOP_LEVEL AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME rastrum)
  set(CPACK_PACKAGE_VENDOR "Rastrum developers")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "Converts a folder tree of pictures into a binary image file and C tables")
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Rastrum developers")
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Where Debian keeps each package's licence.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION share/doc/rastrum RENAME copyright)
  include(CPack)
  add_custom_target(deb
    COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${PROJECT_BINARY_DIR}/CPackConfig.cmake
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    COMMENT "Making the Debian package")
endif()

# The Windows zip rastrum-<version>-win64.zip, made by the target `zip` of a
# MinGW-w64 build: both programs, the README, the licence and the licence
# texts of the libraries linked into them (cmake/windows_zip.cmake).
if(PROJECT_IS_TOP_LEVEL AND WIN32 AND RASTRUM_BUILD_DIALOG)
  add_custom_target(zip
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}
            -DZIP=${PROJECT_BINARY_DIR}/rastrum-${PROJECT_VERSION}-win64.zip
            -DRASTRUM_EXE=$<TARGET_FILE:rastrum> -DDIALOG_EXE=$<TARGET_FILE:ZT_Rastrum>
            -P ${CMAKE_CURRENT_LIST_DIR}/windows_zip.cmake
    COMMENT "Making the Windows zip"
    VERBATIM)
  add_dependencies(zip rastrum ZT_Rastrum)
endif()
