# What each release file holds besides the program, as install rules; scripts/release.sh
# installs them and packs the files (the .deb through CPack, the two zips itself).
#
#   32-bit Windows: kalvet.exe, README.txt, LICENSE.txt, NOTICES.txt
#   the page:       the site (app/web/CMakeLists.txt) with LICENSE.txt and NOTICES.txt
#   Linux:          the .deb, with the changelog, copyright file and manual page Debian wants
set(KALVET_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(KALVET_NOTICES ${PROJECT_SOURCE_DIR}/packaging/NOTICES.txt)

# Text files for Notepad: CRLF line ends, and a byte-order mark so that versions before
# Windows 10 read anything beyond ASCII as UTF-8.
function(kalvet_windows_text in out)
  file(READ ${in} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  string(ASCII 239 187 191 bom)
  file(WRITE ${out} "${bom}${text}")
endfunction()

if(WIN32)
  install(TARGETS kalvet RUNTIME DESTINATION .)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt README-windows.txt @ONLY)
  kalvet_windows_text(${CMAKE_CURRENT_BINARY_DIR}/README-windows.txt ${CMAKE_CURRENT_BINARY_DIR}/README.txt)
  kalvet_windows_text(${KALVET_LICENSE} ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
  kalvet_windows_text(${KALVET_NOTICES} ${CMAKE_CURRENT_BINARY_DIR}/NOTICES.txt)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt
                ${CMAKE_CURRENT_BINARY_DIR}/NOTICES.txt DESTINATION .)
elseif(EMSCRIPTEN)
  install(FILES ${KALVET_LICENSE} DESTINATION . COMPONENT site RENAME LICENSE.txt)
  install(FILES ${KALVET_NOTICES} DESTINATION . COMPONENT site)
else()
  set(CPACK_PACKAGE_NAME kalvet)
  set(CPACK_PACKAGE_VENDOR "Kalvet")
  set(CPACK_PACKAGE_CONTACT "${KALVET_MAINTAINER}")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Steel mass calculator (钢材质量计算)")
  # Debian's tools show the description as it stands: lines of at most 80 columns.
  set(CPACK_PACKAGE_DESCRIPTION
      "Gives the mass in kg of channel, angle and I-beam sections chosen by\n"
      "designation, and of round bar, pipe and plate from their dimensions and\n"
      "the steel density. One window, in Simplified Chinese.")
  string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_STRIP_FILES ON)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The window is drawn in a Song face with SimSun's metrics; without it the Latin unit labels
  # would be clipped.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-arphic-uming)

  # The changelog, the copyright file (machine-readable, the licence text from LICENSE) and
  # the manual page, each compressed without a name or time in its header.
  execute_process(COMMAND date -u -R -d "${KALVET_RELEASE_DATE} 00:00:00"
                  OUTPUT_VARIABLE KALVET_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  file(READ ${KALVET_LICENSE} licence)
  string(REGEX REPLACE "^.*\n\n(Permission is hereby granted)" "\\1" licence "${licence}")
  string(REGEX REPLACE "\n+$" "" licence "${licence}")
  string(REPLACE "\n\n" "\n.\n" licence "${licence}")
  string(REPLACE "\n" "\n " KALVET_LICENSE_DEP5 " ${licence}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in copyright @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in changelog @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/kalvet.1.in kalvet.1 @ONLY)
  find_program(KALVET_GZIP gzip REQUIRED)
  foreach(doc changelog kalvet.1)
    add_custom_command(OUTPUT ${doc}.gz
      COMMAND ${KALVET_GZIP} -9 -n -c ${doc} > ${doc}.gz
      DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${doc})
    list(APPEND kalvet_docs ${CMAKE_CURRENT_BINARY_DIR}/${doc}.gz)
  endforeach()
  add_custom_target(kalvet_docs ALL DEPENDS ${kalvet_docs})
  include(GNUInstallDirs)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kalvet)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kalvet.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  include(CPack)
endif()
