# Install rules and the Debian package (cpack -G DEB): quelby and quelby-admin in
# /usr/bin, the report templates under /usr/share/quelby, a desktop entry, the icon,
# the manual pages, the copyright and changelog; dependencies from the binaries.
include(GNUInstallDirs)

install(TARGETS quelby quelby-admin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The templates are compiled into the programs; the installed copies are the plant's
# reference for the documents' layout (format in templates/README.md).
install(DIRECTORY reports/templates/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quelby/templates
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES packaging/quelby.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/quelby.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quelby)

# Manual pages and the changelog are installed compressed, as Debian keeps them.
find_program(QUELBY_GZIP gzip)
set(packaged ${CMAKE_BINARY_DIR}/packaging)
set(compressed)
foreach(file quelby.1 quelby-admin.1 changelog)
  add_custom_command(OUTPUT ${packaged}/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaged}
    COMMAND ${QUELBY_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/${file} > ${packaged}/${file}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file} VERBATIM)
  list(APPEND compressed ${packaged}/${file}.gz)
endforeach()
add_custom_target(quelby_packaging_files ALL DEPENDS ${compressed})
install(FILES ${packaged}/quelby.1.gz ${packaged}/quelby-admin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaged}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quelby)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quelby)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quelby developers")
set(CPACK_PACKAGE_CONTACT "Quelby developers <quelby-dev@quelby.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "order management for a foam fabrication plant")
# The extended description; CPack puts the summary above it as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quelby keeps a plant's customers, vendors and products (styles built from\n"
    " foam components cut from buns), its orders, shipments, invoices and payments,\n"
    " and prints the production paperwork of every order when it is saved.\n"
    " .\n"
    " quelby-admin creates, queries, backs up and checks plant databases.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The PDF fonts every template names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)
