# The Debian package of the whole suite: `cpack -G DEB` in a build folder (README, for developers).
# Its version is the suite's (the project's); each program keeps its own version inside it.

set(CPACK_PACKAGE_NAME "handvise")
set(CPACK_PACKAGE_VENDOR "Varnok Handvise developers")
set(CPACK_PACKAGE_CONTACT "Varnok Handvise developers <dev@varnok.example.org>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "grip tension calculator and training routine designer")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(HANDVISE_PACKAGE_VERSION "${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/varnok-handvise/")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Two desktop programs for people who train their grip with an adjustable spring
gripper of the Varnok Handvise kind (twelve spring positions, one to three
springs, inner or outer grip).
.
handvise2 finds the spring setting for any tension and lists the tensions the
springs give. cadencer turns an estimated maximum into an eight-week training
cycle, shown as a routine sheet in a print preview that prints through CUPS and
saves PDF.")
# The libraries the programs link come from dpkg-shlibdeps. What it cannot see: Qt's SVG icon engine,
# loaded at run time, draws the tool icons at scales other than 1 and 2; the CUPS client library is
# loaded when the designer first prints; the designed captions need Liberation Sans's narrow widths.
# The X11 platform plugin comes with libqt6gui6; on Wayland Qt uses its own plugin when installed and
# X11 through XWayland otherwise.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libcups2, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

# The release the package, the changelog, the man pages and the software-centre entries describe.
set(HANDVISE_RELEASE_DATE "2026-12-07")
set(HANDVISE_RELEASE_MONTH "December 2026")
set(HANDVISE_RELEASE_TIME "Mon, 07 Dec 2026 12:00:00 +0000")
set(HANDVISE_HOMEPAGE "${CPACK_DEBIAN_PACKAGE_HOMEPAGE}")

include(CPack)
