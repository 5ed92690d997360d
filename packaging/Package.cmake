# The Debian package that scripts/package.sh builds: salescounter_<version>_<arch>.deb,
# the program with its menu entry, icons, help pages and manual page.
# Packaging builds the program alone (scripts/package.sh), not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME salescounter)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "Tindrel <support@tindrel.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.tindrel.com/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sales counter and receipt printing for small shops")
set(CPACK_PACKAGE_DESCRIPTION "A shop's counter program in Chinese: tickets entered by keyboard or\n\
scanner, receipts on system or ESC/POS printers, sales statistics, returns,\n\
day-end and shift reports, backups, and an optional PostgreSQL server\n\
shared by several counters. The data live in an encrypted file in the\n\
user's own data folder.")
# The libraries it links, found by dpkg-shlibdeps, and what it needs at run
# time besides: the display plugins, Qt's Chinese texts, the fonts the
# receipts ask for, and the print system's client.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-noto-cjk, fonts-liberation, libcups2, cups-client")
# The pinyin table gives new products their short codes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS golang-github-mozillazg-go-pinyin-dev)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(doc ${CMAKE_INSTALL_DATADIR}/doc/salescounter)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${doc})
# Debian wants the changelog and the manual page compressed, without a time stamp.
foreach(page changelog salescounter.1)
    execute_process(COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/${page}
        OUTPUT_FILE ${CMAKE_BINARY_DIR}/${page}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${doc})
install(FILES ${CMAKE_BINARY_DIR}/salescounter.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
include(CPack)
