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
