# ov_add_test(NAME name SOURCES ... LIBS ...)
# One GoogleTest binary per folder, registered with CTest as one test.
function(ov_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no
           WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
endfunction()
