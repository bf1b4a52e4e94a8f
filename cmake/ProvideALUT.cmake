# freealut through pkg-config, as ALUT::ALUT.
if(NOT TARGET ALUT::ALUT)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(QW_ALUT REQUIRED IMPORTED_TARGET freealut)
  add_library(ALUT::ALUT INTERFACE IMPORTED)
  set_target_properties(ALUT::ALUT PROPERTIES INTERFACE_LINK_LIBRARIES PkgConfig::QW_ALUT)
endif()
