# zv_add_present_subdirectories(<dir>...): add each listed folder that has a CMakeLists.txt,
# so an area can be grown folder by folder without touching its parent.
macro(zv_add_present_subdirectories)
  # A folder created later changes this folder's time stamp, which re-runs CMake.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}")
  foreach(_zv_dir ${ARGN})
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${_zv_dir}/CMakeLists.txt")
      add_subdirectory(${_zv_dir})
    endif()
  endforeach()
endmacro()
