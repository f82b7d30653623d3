# Checks that a catalogue is complete: a copy of it, brought up to date with the sources by lupdate,
# holds no text without a translation (new in the sources, or marked unfinished) and none the sources
# no longer have. Run by ctest: cmake -DLUPDATE=... -DCATALOGUE=x.ts -DSOURCES=list.txt -DINCLUDE=dir
# -DWORK=dir -P CheckCatalogue.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(name "${CATALOGUE}" NAME)
file(COPY_FILE "${CATALOGUE}" "${WORK}/${name}")
file(STRINGS "${SOURCES}" sources)
execute_process(
  COMMAND "${LUPDATE}" -silent -locations none -no-ui-lines "-I${INCLUDE}" ${sources} -ts "${WORK}/${name}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed on ${name}")
endif()
file(STRINGS "${WORK}/${name}" flawed REGEX "type=\"(unfinished|vanished|obsolete)\"")
file(STRINGS "${WORK}/${name}" all_sources REGEX "<source>")
list(LENGTH all_sources count)
if(flawed)
  # Name the texts: the source line before each flawed translation.
  file(STRINGS "${WORK}/${name}" lines)
  set(previous "")
  set(report "")
  foreach(line IN LISTS lines)
    if(line MATCHES "type=\"(unfinished|vanished|obsolete)\"")
      string(STRIP "${previous}" previous)
      string(APPEND report "\n  ${CMAKE_MATCH_1}: ${previous}")
    endif()
    if(line MATCHES "<source>")
      set(previous "${line}")
    endif()
  endforeach()
  message(FATAL_ERROR "${name} is not complete; run the update_translations target and translate:${report}")
endif()
message(STATUS "${name}: all ${count} texts translated")
