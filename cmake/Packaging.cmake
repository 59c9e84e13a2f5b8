# The Debian package: `cpack -G DEB` in a build folder makes marrowlink_<version>_amd64.deb with
# everything the install rules put in place (the programs, the controller presets, the pictures,
# the icon and the launcher) under /usr. The run-time packages are named here, as Debian 12 calls
# them: the SQLite driver and libsndfile for the sound library and the preview.

set(CPACK_PACKAGE_NAME marrowlink)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Sound editor and controller bridge for the TQ5 FM tone generator")
set(CPACK_PACKAGE_CONTACT "Marrowlink developers <marrowlink@invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Edits the TQ5's voices and multis from the screen and from a BCR2000 controller,\n"
    "forwards a keyboard to the synth, loads and saves .SYX files and uploads the\n"
    "controller's presets. With the command-line tools tq5syx, marrowlink-bridge,\n"
    "tq5-sim, bcr-sim and bcr-presets.")
set(qt_version ${Qt6Core_VERSION_MAJOR}.${Qt6Core_VERSION_MINOR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6 (>= ${qt_version}), libqt6gui6 (>= ${qt_version}), "
    "libqt6widgets6 (>= ${qt_version}), qt6-qpa-plugins, libqt6sql6-sqlite, "
    "libjack-jackd2-0 | libjack0, librtmidi6, libjpeg62-turbo, libsndfile1")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DEPENDS ${CPACK_DEBIAN_PACKAGE_DEPENDS})
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})

include(CPack)
