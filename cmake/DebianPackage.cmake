# What `cmake --install` and the Debian package put on the system: the program, its desktop
# entry and icons, the manual page and the changelog compressed as Debian wants them, the
# copyright file and the sample data.

include(GNUInstallDirs)
install(TARGETS mpsec RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/mpsec.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/mpsec.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES resources/icons/mpsec-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME mpsec.png)
endforeach()
install(DIRECTORY sample/ DESTINATION ${CMAKE_INSTALL_DATADIR}/mpsec/sample)

# The changelog's newest entry is this version: one is added with each version.
file(STRINGS resources/debian/changelog mpsec_changelog_top LIMIT_COUNT 1)
if(NOT mpsec_changelog_top MATCHES "^mpsec \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "resources/debian/changelog has no entry for version ${PROJECT_VERSION} "
    "at its top (it starts: ${mpsec_changelog_top})")
endif()

# Compressed at the highest level and without a time stamp, so a rebuild gives the same bytes.
set(mpsec_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/mpsec)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/resources/debian/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog
  COMMENT "Compressing the changelog")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/mpsec.1.gz
  COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/mpsec.1 > ${CMAKE_BINARY_DIR}/mpsec.1.gz
  DEPENDS ${CMAKE_BINARY_DIR}/mpsec.1
  COMMENT "Compressing the manual page")
add_custom_target(mpsec_compressed_docs ALL
  DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz ${CMAKE_BINARY_DIR}/mpsec.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/mpsec.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz resources/debian/copyright
  DESTINATION ${mpsec_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mpsec)
set(CPACK_PACKAGE_VENDOR "mpsec developers")
set(CPACK_PACKAGE_CONTACT "mpsec developers <mpsec@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "mpsec developers <mpsec@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Masterpoint secretary's program of a bridge club")
set(CPACK_PACKAGE_DESCRIPTION
  "Looks players up in the federation's register, checks, merges, edits and\n\
types in masterpoint files, prepares the files sent to the federation, lists\n\
clubs and members and prints each player's statement of awards.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
