# Everything installed besides the programs and the editor's desktop files (cmake/Editor.cmake),
# and the Debian package made of all of it: CPack's DEB generator packs exactly what the
# install rules install, from the build at hand, so the package needs no build of its own.
# scripts/package builds it and checks it.
if(ZARVEL_BUILD_FUZZERS OR ZARVEL_STATIC)
  return()
endif()
include(GNUInstallDirs)
set(ZARVEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zarvel)

# The manual pages are written once, in scdoc; the build turns them into roff, and compresses
# them as Debian installs manual pages. The README and the changelog are compressed the same
# way (gzip -n: no time stamp, so the same tree makes the same package).
find_program(ZARVEL_SCDOC scdoc)
find_program(ZARVEL_GZIP gzip REQUIRED)
set(ZARVEL_MAN_DIR ${CMAKE_BINARY_DIR}/man)
if(ZARVEL_SCDOC)
  set(ZARVEL_MAN_PAGES)
  foreach(page zarvel.1 zarvel-run.1)
    set(source ${CMAKE_SOURCE_DIR}/docs/man/${page}.scd)
    add_custom_command(
      OUTPUT ${ZARVEL_MAN_DIR}/${page} ${ZARVEL_MAN_DIR}/${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ZARVEL_MAN_DIR}
      COMMAND sh -c "\"$0\" < \"$1\" > \"$2\"" ${ZARVEL_SCDOC} ${source} ${ZARVEL_MAN_DIR}/${page}
      COMMAND ${ZARVEL_GZIP} -9nf -k ${ZARVEL_MAN_DIR}/${page}
      DEPENDS ${source}
      COMMENT "Writing the manual page ${page}"
      VERBATIM)
    list(APPEND ZARVEL_MAN_PAGES ${ZARVEL_MAN_DIR}/${page}.gz)
  endforeach()
  add_custom_target(zarvel_man_pages ALL DEPENDS ${ZARVEL_MAN_PAGES})
  install(FILES ${ZARVEL_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "scdoc not found: the manual pages are not built (run scripts/install-deps)")
endif()

set(ZARVEL_PACKAGE_DIR ${CMAKE_BINARY_DIR}/packaging)
set(ZARVEL_COMPRESSED_DOCS ${ZARVEL_PACKAGE_DIR}/README.md.gz ${ZARVEL_PACKAGE_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${ZARVEL_COMPRESSED_DOCS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZARVEL_PACKAGE_DIR}
  COMMAND sh -c "\"$0\" -9n < \"$1\" > \"$2\"" ${ZARVEL_GZIP} ${CMAKE_SOURCE_DIR}/README.md
          ${ZARVEL_PACKAGE_DIR}/README.md.gz
  COMMAND sh -c "\"$0\" -9n < \"$1\" > \"$2\"" ${ZARVEL_GZIP}
          ${CMAKE_SOURCE_DIR}/packaging/changelog ${ZARVEL_PACKAGE_DIR}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the README and the changelog"
  VERBATIM)
add_custom_target(zarvel_docs ALL DEPENDS ${ZARVEL_COMPRESSED_DOCS})

# What the system needs for the real back ends: the modules loaded at boot, /dev/uinput given
# to the user at the seat; the user unit that executes a configuration at login; completion.
install(FILES data/modules-load.d/zarvel.conf DESTINATION lib/modules-load.d)
install(FILES data/udev/70-zarvel-uinput.rules DESTINATION lib/udev/rules.d)
install(FILES data/systemd/zarvel-run@.service DESTINATION lib/systemd/user)
foreach(program zarvel zarvel-run)
  install(FILES data/bash-completion/zarvel
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program})
endforeach()

# The shipped home files, circuits and examples, as documentation.
install(FILES ${ZARVEL_COMPRESSED_DOCS} packaging/copyright DESTINATION ${ZARVEL_DOC_DIR})
install(DIRECTORY data/home data/circuits DESTINATION ${ZARVEL_DOC_DIR})
install(DIRECTORY examples DESTINATION ${ZARVEL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "Zarvel developers <maintainers@users.noreply.c-seed-9d5998b4.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies are the libraries the programs link, worked out by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "SNES and NES game pads on the parallel port as a second keyboard
Zarvel reads SNES and NES game pads wired to a PC's parallel port and turns
every change of a button into PC keyboard scan codes, as a configuration (an
INI-style text file) says: plain keys, key combinations, shift states, pulses
and repeating keys. The keys reach a virtual keyboard that every program of the
desktop and the console sees, or the PC's own keyboard controller.

The package holds the editor (zarvel), the headless runner (zarvel-run), the
systemd user unit that types from every login, and a simulated PC on which
configurations can be tried without pads.")
include(CPack)
