# The CMake package `cmake --install` puts under lib/cmake/Rastrum, for
# find_package(Rastrum): Rastrum::rastrum and rastrum_add_pictures.
include(CMakePackageConfigHelpers)
set(RASTRUM_PACKAGE_DIR lib/cmake/Rastrum)
install(EXPORT RastrumTargets NAMESPACE Rastrum:: DESTINATION ${RASTRUM_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/RastrumConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
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
  include(CPack)
  add_custom_target(deb
    COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${PROJECT_BINARY_DIR}/CPackConfig.cmake
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    COMMENT "Making the Debian package")
endif()
