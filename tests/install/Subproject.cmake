# Configures the tree as a subproject of the project in outer/ and compiles
# that project's one source file: the game, the tools, the examples, the tests and the
# benchmarks stay out, and the framework's headers are found both ways.
# cmake -DTREE=<source tree> -DWORK=<scratch folder> -P Subproject.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/outer -B ${WORK} -G Ninja
                        -DOVCORE_TREE=${TREE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "configuring as a subproject failed:\n${out}\n${err}")
endif()
file(READ ${WORK}/build.ninja ninja)
foreach(absent Gorvane ov_make_assets ov_make_models ov_markup_save example_ replay_ engine_tests bench_)
  string(FIND "${ninja}" "${absent}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "a subproject builds ${absent}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK} --target CMakeFiles/outer.dir/Outer.cpp.o
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "compiling against the subproject failed:\n${out}\n${err}")
endif()
