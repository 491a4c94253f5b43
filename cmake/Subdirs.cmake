# zv_add_present_subdirectories(<dir>...): add each listed folder that has a CMakeLists.txt,
# so an area can be grown folder by folder without touching its parent.
macro(zv_add_present_subdirectories)
  foreach(_zv_dir ${ARGN})
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${_zv_dir}/CMakeLists.txt")
      add_subdirectory(${_zv_dir})
    endif()
  endforeach()
endmacro()
