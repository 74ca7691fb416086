# Installing on a Linux desktop and the Debian package:
#   cmake --install <build> [--prefix DIR]     the programs, menu entry, icons, file types, manuals, help
#   cmake --build <build> --target package     <build>/package/lumora-editor_<version>_<arch>.deb
include(GNUInstallDirs)

set(LUMORA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# Manual pages, compressed as Debian keeps them.
set(lumora_man_pages lumora-cli.1)
if(LUMORA_GUI)
  list(APPEND lumora_man_pages lumora-editor.1)
endif()
set(lumora_man_outputs)
foreach(page ${lumora_man_pages})
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9nc ${LUMORA_PACKAGING_DIR}/${page} > ${CMAKE_BINARY_DIR}/man/${page}.gz
    DEPENDS ${LUMORA_PACKAGING_DIR}/${page}
    VERBATIM)
  list(APPEND lumora_man_outputs ${CMAKE_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(lumora-man-pages ALL DEPENDS ${lumora_man_outputs})
install(FILES ${lumora_man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(LUMORA_GUI)
  install(FILES ${LUMORA_PACKAGING_DIR}/lumora-editor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${LUMORA_PACKAGING_DIR}/lumora-editor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(DIRECTORY ${LUMORA_PACKAGING_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  file(GLOB lumora_help_pages ${CMAKE_SOURCE_DIR}/src/shell/help/*.html)
  install(FILES ${lumora_help_pages} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumora-editor/help)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumora-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumora Offline Editor")
set(CPACK_PACKAGE_CONTACT "Lumora Offline Editor developers <editor@lumora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Offline editor for Lumora lighting console shows")
set(CPACK_PACKAGE_DESCRIPTION
    "Prepares a show for the Lumora lighting console away from the console: cues with\n\
512 channel levels and tracking, submasters, effects, macros, the dimmer patch\n\
and profiles, Quorvel moving-light data, and reports of all of it. Shows are\n\
kept as .lmr files and moved to and from the console's 1.44 MB show diskette;\n\
lumora-cli does the same from the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${LUMORA_PACKAGING_DIR}/postinst ${LUMORA_PACKAGING_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
