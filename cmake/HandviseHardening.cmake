# Debian's hardening flags for the release build, the one that is installed and packaged: fortified
# library calls, stack protector, format checks, full RELRO with immediate binding, position-independent
# programs. Taken from dpkg-buildflags with every hardening feature on, as a Debian package build would;
# its optimisation, debug-information and path-mapping flags are left to the build type (the package is
# stripped, and the paths would defeat the shared compiler cache). Off without dpkg-buildflags, in other
# build types (fortification needs optimisation) and with the sanitizers.
find_program(HANDVISE_DPKG_BUILDFLAGS dpkg-buildflags)
set(handvise_hardening_default OFF)
if(HANDVISE_DPKG_BUILDFLAGS AND CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(handvise_hardening_default ON)
endif()
option(HANDVISE_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ${handvise_hardening_default})

# The flags dpkg-buildflags gives for `kind` (CPPFLAGS, CXXFLAGS, LDFLAGS), without the ones above that
# are not about hardening.
function(handvise_dpkg_buildflags kind out)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all "${HANDVISE_DPKG_BUILDFLAGS}" --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*|f[a-z]*-prefix-map=.*)$")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

if(HANDVISE_HARDENING)
  handvise_dpkg_buildflags(CPPFLAGS handvise_cppflags)
  handvise_dpkg_buildflags(CXXFLAGS handvise_cxxflags)
  handvise_dpkg_buildflags(LDFLAGS handvise_ldflags)
  add_compile_options(${handvise_cppflags} ${handvise_cxxflags})
  add_link_options(${handvise_ldflags})
  # Programs are position-independent executables, linked as such.
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  message(STATUS "Hardening (dpkg-buildflags): ${handvise_cppflags} ${handvise_cxxflags} ${handvise_ldflags}")
endif()
