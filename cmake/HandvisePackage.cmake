# The Debian packages of the suite: `cpack -G DEB` in a build folder (README, for developers) gives the
# programs (handvise), the preview library (libhandvise-preview1, with the PDF library it loads) and what
# programs need to build against it (libhandvise-preview-dev), one package per install component. Their
# version is the suite's (the project's); each program and the library keep their own versions inside.

set(CPACK_PACKAGE_NAME "handvise")
set(CPACK_PACKAGE_VENDOR "Varnok Handvise developers")
set(CPACK_PACKAGE_CONTACT "Varnok Handvise developers <dev@varnok.example.org>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
# CPack puts this summary above every package's description unless it is CPack's own default, which
# it is here: each package's description begins with its own synopsis line instead.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_NAME} built using CMake")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs preview_runtime preview_dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(HANDVISE_PACKAGE_VERSION "${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SOURCE "handvise")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME "handvise")
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "grip tension calculator and training routine designer
Two desktop programs for people who train their grip with an adjustable spring
gripper of the Varnok Handvise kind (twelve spring positions, one to three
springs, inner or outer grip).
.
handvise2 finds the spring setting for any tension and lists the tensions the
springs give. cadencer turns an estimated maximum into an eight-week training
cycle, shown as a routine sheet in a print preview that prints through CUPS and
saves PDF.")
# The libraries the programs link come from dpkg-shlibdeps. What it cannot see: the preview library,
# which is built here, not installed (it is looked up in the build tree and named by hand, as its own
# shlibs file names it); Qt's SVG icon engine, loaded at run time, which draws the tool icons at scales
# other than 1 and 2; Liberation Sans, whose narrow widths the designed captions need. The X11 platform
# plugin comes with libqt6gui6; on Wayland Qt uses its own plugin when installed and X11 through XWayland
# otherwise.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${HANDVISE_LIB_DIR}")
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS
  "libhandvise-preview${HANDVISE_PREVIEW_VERSION_MAJOR} (>= ${HANDVISE_PACKAGE_VERSION}), libqt6svg6, fonts-liberation2")
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_RECOMMENDS "qt6-wayland")

# The preview library: its package is named after its SONAME, carries a shlibs file (any later 1.x
# serves a program built against this one) and the PDF library that saves its documents.
set(CPACK_DEBIAN_PREVIEW_RUNTIME_PACKAGE_NAME "libhandvise-preview${HANDVISE_PREVIEW_VERSION_MAJOR}")
set(CPACK_DEBIAN_PREVIEW_RUNTIME_PACKAGE_SECTION "libs")
# The CUPS client library is loaded when a program first prints, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PREVIEW_RUNTIME_PACKAGE_DEPENDS "libcups2")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PREVIEW_RUNTIME_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/packaging/preview/triggers")
set(CPACK_DEBIAN_PREVIEW_RUNTIME_DESCRIPTION "print preview control for Qt 6 programs
The print preview of the Varnok Handvise suite, for any Qt 6 Widgets
program: a program draws its document page by page as on a printer, and the
control keeps the pages in bounded memory (a few in memory, the others in a
private temporary file), shows them as paper that zooms, scrolls and drags,
renders them in gray, prints them through CUPS without half-printed jobs and
saves them as PDF through the PDF library shipped with it.")

set(CPACK_DEBIAN_PREVIEW_DEV_PACKAGE_NAME "libhandvise-preview-dev")
set(CPACK_DEBIAN_PREVIEW_DEV_PACKAGE_SECTION "libdevel")
set(CPACK_DEBIAN_PREVIEW_DEV_PACKAGE_DEPENDS
  "${CPACK_DEBIAN_PREVIEW_RUNTIME_PACKAGE_NAME} (= ${HANDVISE_PACKAGE_VERSION}), qt6-base-dev (>= 6.4)")
set(CPACK_DEBIAN_PREVIEW_DEV_DESCRIPTION "print preview control for Qt 6 programs (development files)
The print preview of the Varnok Handvise suite, for any Qt 6 Widgets
program. This package holds what building against it needs: the headers, the
CMake package (find_package(HandvisePreview)), the pkg-config file
(handvise-preview), the API reference and a short guide.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

# The release the package, the changelog, the man pages and the software-centre entries describe.
set(HANDVISE_RELEASE_DATE "2026-12-07")
set(HANDVISE_RELEASE_MONTH "December 2026")
set(HANDVISE_RELEASE_TIME "Mon, 07 Dec 2026 12:00:00 +0000")
set(HANDVISE_HOMEPAGE "${CPACK_DEBIAN_PACKAGE_HOMEPAGE}")

include(CPack)
