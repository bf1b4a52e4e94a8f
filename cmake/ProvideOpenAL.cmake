# OpenAL (OpenAL Soft) as Qw::OpenAL. CMake's own OpenAL::OpenAL (3.25 and later) puts the AL
# subfolder on the include path; sources here write <AL/al.h>, so Qw::OpenAL adds its parent.
if(NOT TARGET Qw::OpenAL)
  find_package(OpenAL REQUIRED)
  get_filename_component(_qw_openal_include_parent "${OPENAL_INCLUDE_DIR}" DIRECTORY)
  add_library(Qw::OpenAL INTERFACE IMPORTED)
  set_target_properties(Qw::OpenAL PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_qw_openal_include_parent}"
    INTERFACE_LINK_LIBRARIES "${OPENAL_LIBRARY}")
endif()
