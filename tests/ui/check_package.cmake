# Makes the Debian package of the build tree in a scratch folder and checks
# that it installs the program, its help page, the icon, the desktop entry
# and the MIME package under /usr, and depends on the Qt it was built with.
#   BUILD    the build tree
#   OUT      the scratch folder (emptied first)
#   DPKG_DEB dpkg-deb
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${CMAKE_CPACK_COMMAND}" -G DEB --config "${BUILD}/CPackConfig.cmake"
                        -B "${OUT}"
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
file(GLOB packages "${OUT}/quillon_*.deb")
list(LENGTH packages count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made no package: ${err}")
endif()
execute_process(COMMAND "${DPKG_DEB}" --contents ${packages} OUTPUT_VARIABLE contents)
foreach(path usr/bin/quillon usr/share/quillon/help.html
             usr/share/icons/hicolor/scalable/apps/quillon.svg
             usr/share/applications/quillon.desktop usr/share/mime/packages/quillon.xml)
  string(FIND "${contents}" " ./${path}\n" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "not in the package: ${path}")
  endif()
endforeach()
execute_process(COMMAND "${DPKG_DEB}" --field ${packages} Depends OUTPUT_VARIABLE depends)
string(FIND "${depends}" "libqt6widgets6" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the package does not depend on Qt: ${depends}")
endif()
