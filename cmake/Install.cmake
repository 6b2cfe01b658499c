# Installation under a prefix (bin/, share/vybitor5/, the desktop entry and its icon) and the
# Debian package made of it. The installed programs cannot write beside themselves, so they
# keep their configuration in the user's XDG folder and read these shipped files from
# share/vybitor5.
include(GNUInstallDirs)
set(VYBITOR_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vybitor5)
set(VYBITOR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vybitor5)

install(TARGETS Vybitor5 vybitor5-cli tester-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(program IN ITEMS Vybitor5 vybitor5-cli)
  install(FILES samples/battery-types.btr DESTINATION ${VYBITOR_DATA_DIR} RENAME ${program}.btr)
  install(FILES samples/report-logo.jpg DESTINATION ${VYBITOR_DATA_DIR} RENAME ${program}.jpg)
endforeach()
install(FILES samples/English.lng DESTINATION ${VYBITOR_DATA_DIR})
# Stored tests for the emulator and the archive of text files made from them, to try things on.
install(DIRECTORY samples/site-tests samples/archive DESTINATION ${VYBITOR_DOC_DIR}/examples)
install(FILES packaging/vybitor5.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/vybitor5.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES packaging/org.example.vybitor5.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/copyright DESTINATION ${VYBITOR_DOC_DIR})

# What a distribution ships beside the programs, compressed as it ships them: the changelog and
# the manual pages (the desktop program's written by hand, the others from their --help).
find_program(HELP2MAN help2man REQUIRED)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
set(man_pages)
foreach(entry IN ITEMS "vybitor5-cli|battery capacity tester's work from the command line"
                       "tester-sim|emulator of the battery capacity tester's link")
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 program)
  list(GET parts 1 name)
  add_custom_command(OUTPUT ${packaging_out}/${program}.1.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> "-DNAME=${name}" -DVERSION=${PROJECT_VERSION}
            -DOUTPUT=${packaging_out}/${program}.1.gz -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake VERBATIM)
  list(APPEND man_pages ${packaging_out}/${program}.1.gz)
endforeach()
foreach(source IN ITEMS packaging/Vybitor5.1 packaging/changelog)
  get_filename_component(file ${source} NAME)
  add_custom_command(OUTPUT ${packaging_out}/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_out}
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/${source} > ${packaging_out}/${file}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
endforeach()
list(APPEND man_pages ${packaging_out}/Vybitor5.1.gz)
add_custom_target(package_docs ALL DEPENDS ${man_pages} ${packaging_out}/changelog.gz)
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_out}/changelog.gz DESTINATION ${VYBITOR_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vybitor5)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Battery capacity tester: download, evaluation, reports and archive of tests")
set(CPACK_PACKAGE_DESCRIPTION "Vybitor5 fetches the capacity tests of a battery tester over TCP or a\nserial link, evaluates the string's capacity with temperature compensation,\nprints test and data reports, saves text files and workbooks and browses an\narchive of saved tests. vybitor5-cli does the same work from scripts;\ntester-sim emulates the tester.")
set(CPACK_PACKAGE_CONTACT "Vybitor5 developers <maintainers@vybitor5.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The library packages come from what the programs link (dpkg-shlibdeps); the platform
# plugin that opens windows, the toolkit's translations of its own dialogs, the database
# drivers of the archive index and the fonts the reports are laid out with are not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, libqt6sql6-sqlite, libqt6sql6-psql, fonts-liberation, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
