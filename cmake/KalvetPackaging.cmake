# Packages users install: a .deb for Debian and Ubuntu, a .zip for Windows. `cpack` in a build
# tree makes the one for that tree's platform.
set(CPACK_PACKAGE_NAME kalvet)
set(CPACK_PACKAGE_VENDOR "Kalvet")
set(CPACK_PACKAGE_CONTACT "Kalvet developers <kalvet@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Steel mass calculator (钢材质量计算)")
set(CPACK_PACKAGE_DESCRIPTION
    "Gives the mass in kg of channel, angle and I-beam sections chosen by designation, and of round bar, pipe and plate from their dimensions and the steel density.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  install(TARGETS kalvet RUNTIME DESTINATION .)
  # The read-me is opened in Notepad: CRLF line ends, and a byte-order mark so that versions
  # before Windows 10 read its Chinese as UTF-8.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt README-windows.txt @ONLY)
  file(READ ${CMAKE_CURRENT_BINARY_DIR}/README-windows.txt _kalvet_readme)
  string(REPLACE "\n" "\r\n" _kalvet_readme "${_kalvet_readme}")
  string(ASCII 239 187 191 _kalvet_bom)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/README.txt "${_kalvet_bom}${_kalvet_readme}")
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The window is drawn in a Song face with SimSun's metrics; without it the Latin unit labels
  # would be clipped.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-arphic-uming)
endif()

include(CPack)
