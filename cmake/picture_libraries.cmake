# The picture libraries of `--input any`, as imported targets:
#   rastrum_spng (libspng with zlib), rastrum_jpeg (libjpeg-turbo's libjpeg API)
#   and rastrum_turbojpeg (its TurboJPEG API, which only the tests use).
# A native build takes the system's (Debian: libspng-dev, libjpeg62-turbo-dev,
# libturbojpeg0-dev). The Windows build links static libraries cross-built
# from Debian's sources by scripts/build-windows-deps.sh into the prefix
# RASTRUM_PICTURE_LIBS, and zlib from libz-mingw-w64-dev.
set(RASTRUM_PICTURE_LIBS "" CACHE PATH "Prefix of static libspng and libjpeg-turbo builds")

if(RASTRUM_PICTURE_LIBS)
  find_library(RASTRUM_ZLIB NAMES libz.a REQUIRED)
  function(rastrum_static_library target file)
    add_library(${target} STATIC IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES
      IMPORTED_LOCATION ${RASTRUM_PICTURE_LIBS}/lib/${file}
      INTERFACE_INCLUDE_DIRECTORIES ${RASTRUM_PICTURE_LIBS}/include)
  endfunction()
  rastrum_static_library(rastrum_spng libspng_static.a)
  set_target_properties(rastrum_spng PROPERTIES
    INTERFACE_COMPILE_DEFINITIONS SPNG_STATIC
    INTERFACE_LINK_LIBRARIES ${RASTRUM_ZLIB})
  rastrum_static_library(rastrum_jpeg libjpeg.a)
  rastrum_static_library(rastrum_turbojpeg libturbojpeg.a)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(RASTRUM_SPNG REQUIRED IMPORTED_TARGET GLOBAL spng zlib)
  pkg_check_modules(RASTRUM_LIBJPEG REQUIRED IMPORTED_TARGET GLOBAL libjpeg)
  pkg_check_modules(RASTRUM_TURBOJPEG REQUIRED IMPORTED_TARGET GLOBAL libturbojpeg)
  add_library(rastrum_spng INTERFACE IMPORTED GLOBAL)
  target_link_libraries(rastrum_spng INTERFACE PkgConfig::RASTRUM_SPNG)
  add_library(rastrum_jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(rastrum_jpeg INTERFACE PkgConfig::RASTRUM_LIBJPEG)
  add_library(rastrum_turbojpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(rastrum_turbojpeg INTERFACE PkgConfig::RASTRUM_TURBOJPEG)
endif()
