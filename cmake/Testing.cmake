include(GoogleTest)

# zv_add_gtest(<name> SOURCES <files...> LIBS <targets...> [WORKING_DIRECTORY <dir>])
# One GoogleTest program, its cases registered with CTest one by one. GUI code runs on
# Qt's offscreen platform so no display is needed.
function(zv_add_gtest name)
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  # gtest_main only supplies main() to suites that define none (e.g. no QApplication needed).
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
  endif()
  set(env
    "QT_QPA_PLATFORM=offscreen"
    "ZV_TEST_OUTPUT_DIR=${CMAKE_BINARY_DIR}/test-pictures"
    "ZV_DIST_DIR=${ZV_DIST_DIR}"
    "ZV_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  if(ZV_SANITIZE)
    list(APPEND env
      "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1"
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizers/ubsan.supp")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY "${ARG_WORKING_DIRECTORY}"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
  # gtest_discover_tests flattens a list-valued property (only the first variable would be
  # set), so the environment goes onto the discovered tests afterwards, from their list.
  set(env_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake")
  file(WRITE "${env_file}"
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${env}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${env_file}")
endfunction()
