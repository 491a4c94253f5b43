# zv_dist_program(<target> <program-folder>)
# Puts a program's executable into build/dist/<program-folder>/.
function(zv_dist_program target folder)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY "${ZV_DIST_DIR}/${folder}"
    LIBRARY_OUTPUT_DIRECTORY "${ZV_DIST_DIR}/${folder}")
endfunction()
