# Installation under a prefix (bin/, share/vybitor5/, the desktop entry and its icon) and the
# Debian package made of it. The installed programs cannot write beside themselves, so they
# keep their configuration in the user's XDG folder and read these shipped files from
# share/vybitor5.
include(GNUInstallDirs)
set(VYBITOR_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vybitor5)

install(TARGETS Vybitor5 vybitor5-cli tester-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(program IN ITEMS Vybitor5 vybitor5-cli)
  install(FILES samples/battery-types.btr DESTINATION ${VYBITOR_DATA_DIR} RENAME ${program}.btr)
  install(FILES samples/report-logo.jpg DESTINATION ${VYBITOR_DATA_DIR} RENAME ${program}.jpg)
endforeach()
install(FILES samples/English.lng DESTINATION ${VYBITOR_DATA_DIR})
# Stored tests for the emulator and the archive of text files made from them, to try things on.
install(DIRECTORY samples/site-tests samples/archive DESTINATION ${VYBITOR_DATA_DIR}/examples)
install(FILES packaging/vybitor5.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/vybitor5.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vybitor5)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Battery capacity tester: download, evaluation, reports and archive of tests")
set(CPACK_PACKAGE_DESCRIPTION "Vybitor5 fetches the capacity tests of a battery tester over TCP or a serial link, evaluates\nthe string's capacity with temperature compensation, prints test and data reports, saves\ntext files and workbooks and browses an archive of saved tests. vybitor5-cli does the same\nwork from scripts; tester-sim emulates the tester.")
set(CPACK_PACKAGE_CONTACT "Vybitor5 maintainers <vybitor5@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The library packages come from what the programs link (dpkg-shlibdeps); the platform
# plugin that opens windows, the database drivers of the archive index and the fonts the
# reports are laid out with are not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-psql, fonts-liberation, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
