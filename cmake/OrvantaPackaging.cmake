# The Debian package of the Linux saver: what `cmake --install` puts where, and how
# `cpack -G DEB` (run in build/linux) wraps it into orvanta_<version>_amd64.deb. The version
# is the project's, from the top-level CMakeLists.txt.
#
# The icon, packaging/debian/orvanta.png, is the saver's own picture, made once with
#   orvanta-headless --seed 3 --frames 400 --size 256x256 --png packaging/debian/orvanta.png
# and committed, so that building the package renders nothing.
include(GNUInstallDirs)

set(_pkg ${PROJECT_SOURCE_DIR}/packaging/debian)
set(_out ${CMAKE_BINARY_DIR}/packaging)

# Debian wants manual pages and changelogs compressed, without a timestamp in the gzip header
# so that the same source gives the same package.
configure_file(${_pkg}/orvanta.6.in ${_out}/orvanta.6 @ONLY)
configure_file(${_pkg}/changelog.in ${_out}/changelog @ONLY)
configure_file(${_pkg}/orvanta.metainfo.xml.in
               ${_out}/example.quorvel_tarnwick.orvanta.metainfo.xml @ONLY)
add_custom_command(OUTPUT ${_out}/orvanta.6.gz ${_out}/changelog.gz
  COMMAND gzip -9nc ${_out}/orvanta.6 > ${_out}/orvanta.6.gz
  COMMAND gzip -9nc ${_out}/changelog > ${_out}/changelog.gz
  DEPENDS ${_out}/orvanta.6 ${_out}/changelog
  VERBATIM)
add_custom_target(orvanta_package_docs ALL DEPENDS ${_out}/orvanta.6.gz ${_out}/changelog.gz)

install(FILES ${_out}/orvanta.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${_pkg}/orvanta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# MATE's screen saver offers the savers whose entries are in this folder (its theme is named
# screensavers-orvanta) and runs them only from XScreenSaver's folder, with its window in
# XSCREENSAVER_WINDOW.
install(FILES ${_pkg}/mate/orvanta.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
# Software centres list the program from this description.
install(FILES ${_out}/example.quorvel_tarnwick.orvanta.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_pkg}/orvanta.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${_pkg}/copyright ${_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvanta)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorvel Tarnwick Fellworks")
set(CPACK_PACKAGE_CONTACT "Quorvel Tarnwick Fellworks <orvanta@quorvel-tarnwick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D screen saver: a spaceship flies through a field of meteors")
set(CPACK_PACKAGE_DESCRIPTION
    "A small spaceship weaves through an endless field of textured meteors and
shoots the ones in its path with twin lasers; each hit becomes an orange flash
and a burst of glowing debris that cools and trails smoke, while coloured
spotlights drift out of black fog. OpenGL 1.1 through GLX.
.
It runs full screen, as a preview in another window, or in XScreenSaver,
whose settings window offers its counts, frame rate and frame-rate display.
Run orvanta without arguments (or from the applications menu) for its own
settings dialog.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorvel-tarnwick.example/")
# The libraries the binaries link decide Depends; XScreenSaver is the usual way to run the
# saver but not the only one.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libGL.so.1 and libGLU.so.1 are opened at start-up, not linked, so no tool can see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libglu1-mesa | libglu1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
