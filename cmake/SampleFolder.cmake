# A sample folder in the build tree, as a program finds it: every file of the calling source
# folder except its word-list sources (src/) and its CMakeLists.txt, and word files built from
# those sources. Outputs accumulate in the caller's variable named by outputs_var.

function(zembo_copy_sample_files out_dir outputs_var)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(FILTER files EXCLUDE REGEX "^src/")
  list(REMOVE_ITEM files CMakeLists.txt)
  set(outputs ${${outputs_var}})
  foreach(file IN LISTS files)
    add_custom_command(OUTPUT "${out_dir}/${file}"
      COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_CURRENT_SOURCE_DIR}/${file}" "${out_dir}/${file}"
      DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${file}"
      VERBATIM)
    list(APPEND outputs "${out_dir}/${file}")
  endforeach()
  set(${outputs_var} ${outputs} PARENT_SCOPE)
endfunction()

# Builds out_file from src/<name>.tsv with mkwordfile; the remaining arguments say how the
# direction's source language collates (--locale NAME, --table FILE).
function(zembo_word_file out_file name outputs_var)
  set(in ${CMAKE_CURRENT_SOURCE_DIR}/src/${name}.tsv)
  get_filename_component(out_dir ${out_file} DIRECTORY)
  set(depends mkwordfile ${in})
  cmake_parse_arguments(W "" "--table" "" ${ARGN})
  if(W_--table)
    list(APPEND depends ${W_--table})
  endif()
  add_custom_command(OUTPUT ${out_file}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND mkwordfile ${ARGN} ${in} ${out_file}
    DEPENDS ${depends}
    VERBATIM)
  set(${outputs_var} ${${outputs_var}} ${out_file} PARENT_SCOPE)
endfunction()
