# Build helpers shared by every folder of the project.

# Warnings every target of the project compiles with.
if(NOT TARGET handvise_warnings)
  add_library(handvise_warnings INTERFACE)
  target_compile_options(handvise_warnings INTERFACE -Wall -Wextra -Wpedantic)
endif()

# handvise_add_library(<name> SOURCES ...)
# A static library with the project's warnings, its folder's parent on the include path
# (so users write #include "model/TensionModel.h").
function(handvise_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE handvise_warnings)
endfunction()

# Environment every test runs in: headless, in English, with private runtime and configuration folders
# (never the user's launcher settings), sanitizers strict.
set(HANDVISE_TEST_RUNTIME_DIR "${PROJECT_BINARY_DIR}/test-runtime")
file(MAKE_DIRECTORY "${HANDVISE_TEST_RUNTIME_DIR}")
file(CHMOD "${HANDVISE_TEST_RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(HANDVISE_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen"
  "XDG_RUNTIME_DIR=${HANDVISE_TEST_RUNTIME_DIR}"
  "XDG_CONFIG_HOME=${PROJECT_BINARY_DIR}/test-config"
  "QT_LOGGING_RULES=qt.qpa.*=false"
  # The texts the tests pin are the English ones, whatever the language of the machine; tests of another
  # language choose it themselves.
  "LANGUAGE=en"
  # intercept_tls_get_addr=0: the leak checker's record of the thread-local storage of libraries
  # loaded at run time (libjpeg, through the image plugins Qt's PDF writer uses) goes stale when
  # they are unloaded at exit; its scan then crashes now and again ("Tracer caught signal 11").
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:intercept_tls_get_addr=0"
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")

# handvise_add_test(<name> SOURCES ... LIBS ... [TIMEOUT seconds])
# One test program, run by ctest in the environment above. Each lies in a folder of its own, so a
# test that puts files beside its program (settings, help pages) never meets another test's files.
function(handvise_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/tests/${name}")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} handvise_warnings)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${HANDVISE_TEST_ENVIRONMENT}"
    TIMEOUT ${ARG_TIMEOUT})
endfunction()
