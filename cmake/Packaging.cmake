# `cpack -G DEB` in the build folder makes the Debian package of what `cmake --install` lays out.
set(CPACK_PACKAGE_NAME drawsage)
set(CPACK_PACKAGE_VENDOR Kestrix)
set(CPACK_PACKAGE_CONTACT "Kestrix <support@kestrix.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analyse the draws of a 6-from-49 lottery")
set(CPACK_PACKAGE_DESCRIPTION
    "Drawsage keeps every past draw of a 6-from-49 lottery with a bonus ball and derives \
frequencies, hot and cold, due and overdue numbers; it generates and checks tickets and \
updates the draws from the operator's results files. drawsage-cli is the same engine on the \
command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link come from dpkg-shlibdeps. Qt loads its plugins at run time,
# unseen by it: the SQLite driver (every table) and the SVG icon engine (the program's icon)
# are named here; tools/check-install.sh checks that they stay named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6svg6")
# Native windows on a Wayland desktop; without it the program runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
