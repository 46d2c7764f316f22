cmake_minimum_required(VERSION 3.22)
# Run by ctest (cmake -P): fails when a library includes a header of a
# library above it. LAYERS names a file that sets, per library, the files it
# builds (ARB_FILES_<lib>) and the include names it must not use
# (ARB_ABOVE_<lib>), and ARB_LIBRARIES.
include(${LAYERS})
set(faults "")
foreach(lib IN LISTS ARB_LIBRARIES)
  foreach(file IN LISTS ARB_FILES_${lib})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
      if(header IN_LIST ARB_ABOVE_${lib})
        string(APPEND faults "\n  ${file} (${lib}) includes ${header}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "A library includes a header of a library above it:${faults}")
endif()
