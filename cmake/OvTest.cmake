# ov_add_test(NAME name SOURCES ... LIBS ...)
# One GoogleTest binary per folder, registered with CTest as one test.
function(ov_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  # A suite's files compile eight at a time in one translation unit, so the
  # test framework's headers and templates are compiled once per group rather
  # than once per file: half the suites' compile time. GCC then sees each
  # file's fixtures (types of an unnamed namespace) as if they came from a
  # header and would warn about every test derived from one.
  set_target_properties(${T_NAME} PROPERTIES UNITY_BUILD ${OV_UNITY_TESTS} UNITY_BUILD_BATCH_SIZE 8)
  if(OV_UNITY_TESTS AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${T_NAME} PRIVATE -Wno-subobject-linkage)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no
           WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
endfunction()
