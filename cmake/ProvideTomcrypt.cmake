# libtomcrypt has no CMake package: pkg-config finds it and Tomcrypt::Tomcrypt stands for it.
pkg_check_modules(TOMCRYPT REQUIRED IMPORTED_TARGET GLOBAL libtomcrypt)
if(NOT TARGET Tomcrypt::Tomcrypt)
  add_library(Tomcrypt::Tomcrypt ALIAS PkgConfig::TOMCRYPT)
endif()
