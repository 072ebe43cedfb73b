# Public include folders made in the build tree. A library's folder holds one
# entry, a link named like the library's source folder to that folder, so its
# users write "graph/graph.h" and find the headers of the libraries they link
# and nothing else: an include of a library above, or of app/ or tests/, fails
# to compile. The layering check (cmake/check_layering.cmake) reads these
# folders back.
set(QUILLON_INCLUDE_ROOT ${PROJECT_BINARY_DIR}/include)

# Makes <root>/<name>/<name> a link to the source folder and adds <root>/<name>
# as the target's public include folder.
function(quillon_public_include_folder target sourceFolder)
  get_filename_component(name ${sourceFolder} NAME)
  set(folder ${QUILLON_INCLUDE_ROOT}/${name})
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${sourceFolder} ${folder}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${folder})
endfunction()
