# What each zip of the release holds besides the program, as install rules; scripts/release.sh
# installs them and packs the zips. The .deb is Debian's own build of the source package
# (debian/), from the install rules of app/qt.
#
#   32-bit Windows: kalvet.exe, README.txt, LICENSE.txt, NOTICES.txt
#   the page:       the site (app/web/CMakeLists.txt) with LICENSE.txt and NOTICES.txt
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
endif()
