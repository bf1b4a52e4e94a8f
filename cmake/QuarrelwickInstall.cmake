# qw_install_layout(<executable target> <bindir> <datadir> <datarootdir> [COMPONENT <name>])
# Installs the program into <bindir>, its resources into <datadir>/quarrelwick, and the menu
# entry and the icons under <datarootdir> (applications/, icons/hicolor/), where desktops look
# for them. The folders are relative to the install prefix or absolute. The program learns the
# path from its own folder to its resources here, at configure time. With COMPONENT the
# layout installs only when that component is asked for (cmake --install --component).
include(GNUInstallDirs)

function(qw_install_layout target bindir datadir datarootdir)
  cmake_parse_arguments(L "" "COMPONENT" "" ${ARGN})
  foreach(dir bindir datadir)
    if(IS_ABSOLUTE "${${dir}}")
      set(full_${dir} "${${dir}}")
    else()
      set(full_${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
    endif()
  endforeach()
  file(RELATIVE_PATH from_bin "${full_bindir}" "${full_datadir}/quarrelwick")
  target_compile_definitions(${target} PRIVATE QW_INSTALLED_RESOURCES="${from_bin}")
  set(only "")
  if(L_COMPONENT)
    set(only COMPONENT ${L_COMPONENT} EXCLUDE_FROM_ALL)
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION ${bindir} ${only})
  install(DIRECTORY ${CMAKE_BINARY_DIR}/resources/ DESTINATION ${datadir}/quarrelwick ${only}
          PATTERN icons EXCLUDE)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/resources/icons/ DESTINATION ${datarootdir}/icons ${only})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/quarrelwick.desktop DESTINATION ${datarootdir}/applications ${only})
endfunction()
