# Installs the build tree into a scratch prefix, then builds the outside
# program in consumer/ against that prefix only, once with CMake's package and
# once with pkg-config, each in a folder of its own, and runs both from there.
# Then builds the first program from the installed examples alone, plays it and
# checks its last frame.
# cmake -DBUILD=<build tree> -DWORK=<scratch folder> -DCXX=<compiler>
#       [-DLAUNCHER=<compiler launcher>] [-DFRAME_CHECK=<ov_frame_check> -DHELLO_CHECKS=<checks>]
#       -P InstallTree.cmake
set(prefix ${WORK}/prefix)
set(source ${CMAKE_CURRENT_LIST_DIR}/consumer)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
                  WORKING_DIRECTORY ${WORK})
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_consumer_ok program)
  run("running ${program}" ${program})
  if(NOT output MATCHES "^consumer ok [0-9]+\\.[0-9]+\\.[0-9]+")
    message(FATAL_ERROR "${program} said: ${output}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
run("installing" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})

# Versioned shared libraries whose run paths point beside themselves, never
# into the build tree; the licence and the changelog beside the documentation.
foreach(library OrvoCore OvPlatform)
  file(GLOB versioned ${prefix}/lib/lib${library}.so.*.*.*)
  if(NOT versioned)
    message(FATAL_ERROR "no versioned lib${library}.so under ${prefix}/lib")
  endif()
  run("reading the dynamic section of ${versioned}" readelf -d ${versioned})
  if(NOT output MATCHES "SONAME\\)[^\n]*lib${library}\\.so\\.[0-9]+\\.[0-9]+\\]")
    message(FATAL_ERROR "lib${library}: SONAME without major and minor:\n${output}")
  endif()
endforeach()
foreach(binary lib/libOrvoCore.so lib/libOvPlatform.so libexec/gorvane/Gorvane)
  run("reading the run path of ${binary}" readelf -d ${prefix}/${binary})
  string(FIND "${output}" "${BUILD}" inside)
  if(NOT inside EQUAL -1 OR NOT output MATCHES "RUNPATH\\)[^\n]*\\$ORIGIN")
    message(FATAL_ERROR "${binary}: run path not relative to itself:\n${output}")
  endif()
endforeach()
foreach(tool ov_gui_check ov_markup_save)
  if(NOT EXISTS ${prefix}/bin/${tool})
    message(FATAL_ERROR "${tool} not installed under bin")
  endif()
endforeach()
foreach(document LICENSE CHANGELOG.md README.md)
  if(NOT EXISTS ${prefix}/share/doc/OvCore/${document})
    message(FATAL_ERROR "${document} not installed under share/doc/OvCore")
  endif()
endforeach()
# Where the tree builds the reference, the install carries it.
if(EXISTS ${BUILD}/docs/Doxyfile AND NOT EXISTS ${prefix}/share/doc/OvCore/html/index.html)
  message(FATAL_ERROR "the reference not installed under share/doc/OvCore/html")
endif()

foreach(file DejaVuSans.ttf LICENSE-DejaVu.txt)
  if(NOT EXISTS ${prefix}/share/OvCore/fonts/${file})
    message(FATAL_ERROR "${file} not installed under share/OvCore/fonts")
  endif()
endforeach()

# With CMake: nothing but the prefix on the search path.
set(launcher "")
if(LAUNCHER)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
run("configuring the CMake consumer" ${CMAKE_COMMAND} -S ${source} -B ${WORK}/with-cmake -G Ninja
    -DCMAKE_CXX_COMPILER=${CXX} ${launcher} -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_BUILD_TYPE=Release)
run("building the CMake consumer" ${CMAKE_COMMAND} --build ${WORK}/with-cmake)
expect_consumer_ok(${WORK}/with-cmake/consumer)

# With pkg-config: the flags it gives, and a run path to the prefix's lib/.
# Of the framework's folders, only the prefix's include/ is on the path.
run("asking pkg-config" ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/lib/pkgconfig
    pkg-config --cflags ovcore)
string(REGEX MATCHALL "-I[^ \n]*" includes "${output}")
set(framework_includes "")
foreach(include ${includes})
  string(SUBSTRING "${include}" 2 -1 folder)
  get_filename_component(folder "${folder}" REALPATH)
  string(FIND "${folder}" "${prefix}" inside)
  if(inside EQUAL 0)
    list(APPEND framework_includes ${folder})
  endif()
endforeach()
if(NOT framework_includes STREQUAL "${prefix}/include")
  message(FATAL_ERROR "pkg-config gives the framework's include folders ${framework_includes}")
endif()
run("asking pkg-config" ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/lib/pkgconfig
    pkg-config --cflags --libs ovcore)
string(STRIP "${output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
file(MAKE_DIRECTORY ${WORK}/with-pkg-config)
run("building the pkg-config consumer" ${LAUNCHER} ${CXX} -std=c++20 -I${source} ${source}/Consumer.cpp ${flags}
    -Wl,-rpath,${prefix}/lib -o ${WORK}/with-pkg-config/consumer)
expect_consumer_ok(${WORK}/with-pkg-config/consumer)

# Every installed header compiles after the program's own folders, so none
# includes a header that stays in the tree.
execute_process(COMMAND ${CMAKE_COMMAND} -DPREFIX=${prefix} -DOUTPUT=${WORK}/all-headers.cpp
                        -P ${CMAKE_CURRENT_LIST_DIR}/AllHeaders.cmake)
run("compiling every installed header" ${LAUNCHER} ${CXX} -std=c++20 -fsyntax-only -I${source}
    ${WORK}/all-headers.cpp ${flags})
# The package says where the installed examples and data are.
run("asking pkg-config" ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/lib/pkgconfig
    pkg-config --variable=examplesdir ovcore)
string(STRIP "${output}" examples)
if(NOT EXISTS ${examples}/hello/Hello.cpp)
  message(FATAL_ERROR "pkg-config's examplesdir ${examples} holds no hello/Hello.cpp")
endif()

# The first program, built from the installed examples and run in its folder.
if(FRAME_CHECK)
  set(hello ${WORK}/hello)
  file(COPY ${examples}/hello DESTINATION ${WORK})
  run("configuring the first program" ${CMAKE_COMMAND} -S ${hello} -B ${hello}/build -G Ninja
      -DCMAKE_CXX_COMPILER=${CXX} ${launcher} -DCMAKE_PREFIX_PATH=${prefix}
      -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_BUILD_TYPE=Release)
  run("building the first program" ${CMAKE_COMMAND} --build ${hello}/build)
  execute_process(COMMAND ${CMAKE_COMMAND} -DPROGRAM=${hello}/build/example_hello
                          -DSCRIPT=${hello}/run.script -DFRAME=${WORK}/hello-frame.png -DCHECK=${FRAME_CHECK}
                          "-DCHECKS=${HELLO_CHECKS}" -DWORKDIR=${hello}
                          -P ${examples}/RunExample.cmake
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the first program, built from the installed tree, failed its run")
  endif()
endif()
message(STATUS "installed into ${prefix}; both outside builds run")
