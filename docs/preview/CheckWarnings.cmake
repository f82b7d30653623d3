# Fails with Doxygen's warnings when the API reference has any: an undocumented public class or member,
# or a documentation comment Doxygen cannot read. Usage: cmake -DWARNINGS=<file> -P CheckWarnings.cmake
if(NOT EXISTS "${WARNINGS}")
  message(FATAL_ERROR "no warnings file ${WARNINGS}: build the target docs first")
endif()
file(READ "${WARNINGS}" warnings)
if(NOT warnings STREQUAL "")
  message(FATAL_ERROR "The API reference is incomplete:\n${warnings}")
endif()
