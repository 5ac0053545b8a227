# Fails when the engine reaches beyond itself and the C++ standard library: a library on its link
# line, a header in angle brackets that is not a standard one (nlohmann/json.hpp, zip.h, QString),
# or a project header of another library (design/files/..., the report writer).
#   cmake -DFILES=<list file> -DROOT=<source root> -DLINKED=<libraries> -P engine_dependencies.cmake
# FILES names the engine's sources and headers, one a line, relative to ROOT.
cmake_minimum_required(VERSION 3.25)
if(NOT LINKED STREQUAL "")
  message(FATAL_ERROR "pedivo_engine links ${LINKED}: the engine uses the standard library only")
endif()
file(STRINGS "${FILES}" engine_files)
set(refused)
foreach(file IN LISTS engine_files)
  file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "<([^>]*)>")
      set(header "${CMAKE_MATCH_1}")
      # The standard headers are lower-case words without a folder or an extension.
      if(NOT header MATCHES "^[a-z_0-9]+$")
        list(APPEND refused "${file}: <${header}>")
      endif()
    elseif(line MATCHES "\"([^\"]*)\"")
      set(header "${CMAKE_MATCH_1}")
      if(NOT header IN_LIST engine_files)
        list(APPEND refused "${file}: \"${header}\"")
      endif()
    endif()
  endforeach()
endforeach()
if(refused)
  list(JOIN refused "\n  " text)
  message(FATAL_ERROR "the engine includes what is not its own nor standard:\n  ${text}")
endif()
list(LENGTH engine_files count)
message(STATUS "${count} engine files include only the standard library and each other")
