# The folders are the layers. A library's include directory holds one link, named after its
# folder, to that folder: a target sees the headers of the libraries it links and no others.
# tools/check-layers checks every #include against the order of the layers as well.

function(zembo_layer_includes target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# A static library of a layer: zembo_library(NAME FOLDER sources... LINKS libraries...)
function(zembo_library name folder)
  cmake_parse_arguments(L "" "" "LINKS;PRIVATE_LINKS" ${ARGN})
  add_library(${name} STATIC ${L_UNPARSED_ARGUMENTS})
  zembo_layer_includes(${name} ${folder})
  target_link_libraries(${name} PUBLIC ${L_LINKS} PRIVATE ${L_PRIVATE_LINKS})
endfunction()
