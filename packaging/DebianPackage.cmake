# The Debian package, built by `cpack -G DEB` in the release build (./dev package):
# kavro_VERSION_amd64.deb with its library dependencies computed by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavro)
set(CPACK_PACKAGE_VENDOR "The KAVRO-PX17 project")
set(CPACK_PACKAGE_CONTACT "KAVRO-PX17 project <kavro@kavro-px17.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "intercom memory chip programmer software (KAVRO-PX17)")
# CPack puts the summary in front as the synopsis line; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The PC software of the KAVRO-PX17, a USB programmer for the memory chips
of apartment intercom controllers (24C16 and 24C64 serial EEPROMs, DS1995
and DS1996 iButton memories). A service technician reads a controller's
chip, edits its apartments, key identifiers, access codes, passwords and
settings, writes it back or converts it to another controller type,
captures keys from a touch-memory or RFID reader, fills apartments with
generated codes and prints a report of an installation.
.
The package holds the desktop program kavro, the command-line program
kavro-cli and the programmer simulator kavro-sim, and a udev rule that
gives the user at the seat access to the programmer.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kavro-px17.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The chip archive opens its database through a Qt SQL driver, a plugin loaded at run time that
# dpkg-shlibdeps cannot see: the SQLite driver keeps every archive and is required (CPack adds the
# computed library dependencies after it); the PostgreSQL driver is needed only for an archive a
# service company shares on a server.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
# Qt's own Russian texts (buttons, file and port errors); without them those stay in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS libqt6sql6-psql)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
