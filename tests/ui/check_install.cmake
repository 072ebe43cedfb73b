# Installs the build tree into a scratch prefix and checks that the program,
# its help page, the icon, the desktop entry and the MIME package are there.
#   BUILD   the build tree
#   PREFIX  the scratch prefix (emptied first)
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
foreach(path bin/quillon share/quillon/help.html share/icons/hicolor/scalable/apps/quillon.svg
             share/applications/quillon.desktop share/mime/packages/quillon.xml)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(READ "${PREFIX}/share/applications/quillon.desktop" entry)
foreach(line "Exec=quillon %f\n" "Icon=quillon\n" "MimeType=application/x-quillon-graph")
  string(FIND "${entry}" "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks ${line}")
  endif()
endforeach()
