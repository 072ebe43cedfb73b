# The layering check, run by ctest as
#   cmake -DSOURCE_DIR=<project> -DINCLUDE_ROOT=<build>/include
#         -DLIBRARIES=expr,graph,... -DINTERFACE_FOLDERS=<file> -P check_layering.cmake
# LIBRARIES lists the library folders from the bottom up: a library may
# include its own headers and those of the libraries listed before it. Fails
# with one line per fault:
# - an include of a library listed after the including one, of a folder that
#   is no library (app, tests and its support, bench, fuzz), or a path that
#   climbs with "..";
# - Qt or OpenGL headers where the library must do without them;
# - a public include folder that holds more than the link to its library's
#   folder;
# - a library that gives its users include folders other than its own and
#   those of the libraries below it (for expr and graph, which link only the
#   standard library, none from outside the project either).
cmake_minimum_required(VERSION 3.25)

foreach(required SOURCE_DIR INCLUDE_ROOT LIBRARIES INTERFACE_FOLDERS)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check_layering.cmake needs -D${required}=...")
  endif()
endforeach()
string(REPLACE "," ";" libraries "${LIBRARIES}")
# interface_<library>: the include folders of each library built.
include(${INTERFACE_FOLDERS})
set(outsideFolders app tests bench fuzz support)

# System headers a library must not include, as regular expressions.
set(qt "^Q")
set(openGL "^(GL|EGL|KHR|GLES[0-9]*)/")
set(forbidden_expr "${qt}" "${openGL}")
set(forbidden_graph "${qt}" "${openGL}")
set(forbidden_scene "${qt}")

set(faults "")
set(rank 0)
foreach(library IN LISTS libraries)
  math(EXPR rank "${rank} + 1")
  set(rank_${library} ${rank})
endforeach()

foreach(library IN LISTS libraries)
  file(GLOB_RECURSE sources LIST_DIRECTORIES false RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${library}/*.h ${SOURCE_DIR}/${library}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" path "${line}")
      string(REGEX MATCH "^[^/]*" top "${path}")
      if(path MATCHES "(^|/)\\.\\.(/|$)")
        list(APPEND faults "${source}: ${path} climbs out of the include folders")
      elseif(DEFINED rank_${top} AND rank_${top} GREATER rank_${library})
        list(APPEND faults "${source}: ${path} belongs to ${top}, above ${library}")
      elseif(top IN_LIST outsideFolders)
        list(APPEND faults "${source}: ${path} is no library header")
      endif()
      if(line MATCHES "<")
        foreach(pattern IN LISTS forbidden_${library})
          if(path MATCHES "${pattern}")
            list(APPEND faults "${source}: ${library} must not include <${path}>")
          endif()
        endforeach()
      endif()
    endforeach()
  endforeach()

  # The public include folder: one link, to the library's own folder.
  if(NOT DEFINED interface_${library})
    continue()  # not built in this configuration
  endif()
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${INCLUDE_ROOT}/${library}
       ${INCLUDE_ROOT}/${library}/*)
  file(REAL_PATH ${INCLUDE_ROOT}/${library}/${library} target)
  file(REAL_PATH ${SOURCE_DIR}/${library} expected)
  if(NOT entries STREQUAL library OR NOT target STREQUAL expected)
    list(JOIN entries ", " held)
    list(APPEND faults "${INCLUDE_ROOT}/${library} holds '${held}', not just a link to ${library}/")
  endif()
endforeach()

# The include folders each library gives its users, its dependencies'
# included: its own and those of libraries below it; nothing else of the
# project, and nothing outside it for the libraries that link only the
# standard library.
set(selfContained expr graph)
foreach(library IN LISTS libraries)
  if(NOT DEFINED interface_${library})
    continue()  # not built in this configuration
  endif()
  if(NOT "${INCLUDE_ROOT}/${library}" IN_LIST interface_${library})
    list(APPEND faults "quillon_${library} does not export ${INCLUDE_ROOT}/${library}")
  endif()
  foreach(folder IN LISTS interface_${library})
    get_filename_component(parent "${folder}" DIRECTORY)
    get_filename_component(below "${folder}" NAME)
    if(parent STREQUAL INCLUDE_ROOT AND DEFINED rank_${below}
       AND NOT rank_${below} GREATER rank_${library})
      continue()
    endif()
    string(FIND "${folder}/" "${SOURCE_DIR}/" inSource)
    string(FIND "${folder}/" "${INCLUDE_ROOT}/" inBuild)
    if(inSource EQUAL 0 OR inBuild EQUAL 0 OR library IN_LIST selfContained)
      list(APPEND faults "quillon_${library} exports the include folder ${folder}")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "${text}")
endif()
