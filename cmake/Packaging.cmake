# What `cmake --install` puts in place, and the Debian package CPack makes of it.
include(GNUInstallDirs)

set(KOVA_VERSION 0.1.0)
set(KOVA_PROGRAMS)
foreach(program kova-configurator kova-cli kova-sim)
  if(TARGET ${program})
    list(APPEND KOVA_PROGRAMS ${program})
  endif()
endforeach()
install(TARGETS ${KOVA_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/kova-configurator.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/kova-configurator.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/udev/70-kova-tracker.rules.in DESTINATION ${CMAKE_INSTALL_DATADIR}/kova/udev)

# A man page for each program, made from its --help.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(KOVA_MAN_PAGES)
  set(summary_kova-configurator "configure the KOVA T300/T310 GPS/GLONASS tracker")
  set(summary_kova-cli "read, check and write a KOVA T300/T310 tracker's settings and firmware from a shell")
  set(summary_kova-sim "a simulated KOVA T300/T310 tracker on a pseudo-terminal")
  foreach(program IN LISTS KOVA_PROGRAMS)
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 LC_ALL=C.UTF-8
              ${HELP2MAN} --no-info --no-discard-stderr --locale=C.UTF-8 --version-string=${KOVA_VERSION}
              --name=${summary_${program}} --output=${page} $<TARGET_FILE:${program}>
      DEPENDS ${program}
      COMMENT "Man page of ${program}"
      VERBATIM)
    list(APPEND KOVA_MAN_PAGES ${page})
  endforeach()
  add_custom_target(kova_man_pages ALL DEPENDS ${KOVA_MAN_PAGES})
  install(FILES ${KOVA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no man pages")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kova-configurator)
set(CPACK_PACKAGE_VERSION ${KOVA_VERSION})
set(CPACK_PACKAGE_VENDOR "KOVA configurator team")
set(CPACK_PACKAGE_CONTACT "KOVA configurator team <kova-configurator@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator for the KOVA T300/T310 GPS/GLONASS tracker")
set(CPACK_PACKAGE_DESCRIPTION "Reads, checks and writes the tracker's settings and updates its firmware over its\n"
                              "USB serial port: the desktop program, kova-cli for the shell (with the doctor\n"
                              "that says why a port is not usable) and kova-sim, a simulated tracker.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "udev")
include(CPack)
