# Debian's SOIL ships neither a CMake package nor a pkg-config file: find its header and
# library by hand and give them the imported target SOIL::SOIL.
find_path(SOIL_INCLUDE_DIR SOIL.h PATH_SUFFIXES SOIL)
find_library(SOIL_LIBRARY SOIL)
if(NOT SOIL_INCLUDE_DIR OR NOT SOIL_LIBRARY)
  message(FATAL_ERROR "SOIL not found (install libsoil-dev)")
endif()
if(NOT TARGET SOIL::SOIL)
  add_library(SOIL::SOIL UNKNOWN IMPORTED)
  set_target_properties(SOIL::SOIL PROPERTIES
    IMPORTED_LOCATION "${SOIL_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${SOIL_INCLUDE_DIR}")
endif()
