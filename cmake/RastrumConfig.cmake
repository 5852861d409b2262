# find_package(Rastrum): the imported executable Rastrum::rastrum and the
# function rastrum_add_pictures.
include(${CMAKE_CURRENT_LIST_DIR}/RastrumTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/RastrumAddPictures.cmake)
