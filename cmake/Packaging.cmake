# `cpack -G DEB` in the build folder makes quillon_VERSION_ARCH.deb: the
# program in /usr/bin, its help page, the icon, the desktop entry and the
# MIME package of graph files, which the desktop's triggers take up when the
# package is installed. Its dependencies are found by dpkg-shlibdeps.

set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "Quillon")
set(CPACK_PACKAGE_CONTACT "Quillon developers <quillon@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quillon.example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Plotter of functions in the plane")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillon plots explicit, parametric and polar functions in the plane and saves them as .pgp graph files.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The MIME type and the desktop entry take effect through the first two, the
# help page opens through xdg-utils, and the axis labels want Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "shared-mime-info, desktop-file-utils, xdg-utils, fonts-liberation2")
include(CPack)
