# The libraries an outside program links, and how they are installed.
#
# ov_framework_library(<name> [SHARED] [REQUIRES <PREFIX:module>...]
#                      [HEADERS <file>... | INTERNAL <file>...] SOURCES <file>...)
#   Makes library <name> (static unless SHARED) from the sources, installs it
#   with the headers of the calling folder ovcore/<folder>/ under
#   include/ovcore/<folder>/ (all of them, with their subfolders, or only the
#   HEADERS named; INTERNAL names headers, relative to the folder, that stay
#   in the tree: the library's own workings, which no installed header
#   includes), and
#   adds it to the exported package (OvCore::<name>), to the umbrella target
#   OvCore::OvCore and to ovcore.pc. REQUIRES names the pkg-config modules that
#   its link dependencies come from, each as the prefix its pkg_check_modules
#   call uses and the module ("OPENAL:openal" for PkgConfig::OPENAL): an
#   installed user finds them again with that prefix and links them.
#   Link the library with target_link_libraries as usual afterwards.
#
# ov_framework_install()
#   Once, after every library: writes the package files and ovcore.pc.

add_library(OvCore INTERFACE)
add_library(OvCore::OvCore ALIAS OvCore)
set(OV_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/OvCore)
set(OV_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/ovcore)
# One include folder: headers are included as "ovcore/foundation/String.h",
# in the tree (whose top holds ovcore/) as installed (include/ holds ovcore/).
target_include_directories(OvCore INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_compile_features(OvCore INTERFACE cxx_std_20)

function(ov_framework_library name)
  cmake_parse_arguments(L "SHARED" "" "REQUIRES;HEADERS;INTERNAL;SOURCES" ${ARGN})
  if(L_SHARED)
    add_library(${name} SHARED ${L_SOURCES})
    set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION}
                          SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}
                          INSTALL_RPATH "$ORIGIN" BUILD_WITH_INSTALL_RPATH ON)
  else()
    add_library(${name} STATIC ${L_SOURCES})
  endif()
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  install(TARGETS ${name} EXPORT OvCoreTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
          RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(L_HEADERS)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/ovcore ${CMAKE_CURRENT_SOURCE_DIR})
    install(FILES ${L_HEADERS} DESTINATION ${OV_INCLUDE_DIR}/${relative})
    list(TRANSFORM L_HEADERS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set_property(GLOBAL APPEND PROPERTY OV_PUBLIC_HEADERS ${L_HEADERS})
  else()
    ov_framework_headers(${CMAKE_CURRENT_SOURCE_DIR} ${L_INTERNAL})
  endif()
  target_link_libraries(OvCore INTERFACE ${name})
  set_property(GLOBAL APPEND PROPERTY OV_FRAMEWORK_LIBRARIES ${name})
  set_property(GLOBAL APPEND PROPERTY OV_FRAMEWORK_REQUIRES ${L_REQUIRES})
endfunction()

# Installs every header of <folder> (and its subfolders) but the internal ones
# named after it, once, under the same path below include/ovcore/ as below the
# tree's ovcore/.
function(ov_framework_headers folder)
  set(excluded "")
  foreach(header ${ARGN})
    list(APPEND excluded PATTERN "${header}" EXCLUDE)
  endforeach()
  get_property(done GLOBAL PROPERTY OV_FRAMEWORK_HEADER_FOLDERS)
  if(folder IN_LIST done)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY OV_FRAMEWORK_HEADER_FOLDERS ${folder})
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/ovcore ${folder})
  install(DIRECTORY ${folder}/ DESTINATION ${OV_INCLUDE_DIR}/${relative}
          FILES_MATCHING PATTERN "*.h" ${excluded})
  # The same list for the reference (docs/).
  file(GLOB_RECURSE headers ${folder}/*.h)
  foreach(header ${ARGN})
    list(FILTER headers EXCLUDE REGEX "/${header}$")
  endforeach()
  set_property(GLOBAL APPEND PROPERTY OV_PUBLIC_HEADERS ${headers})
endfunction()

# The libraries in link order for a static link line: each before every
# library it links, found by a depth-first walk of the links between them.
function(ov_framework_link_order out)
  get_property(libraries GLOBAL PROPERTY OV_FRAMEWORK_LIBRARIES)
  set(order "")
  foreach(library ${libraries})
    ov_framework_visit(${library} "${libraries}" order)
  endforeach()
  list(REVERSE order)
  set(${out} ${order} PARENT_SCOPE)
endfunction()

function(ov_framework_visit library libraries order_var)
  set(order ${${order_var}})
  if(library IN_LIST order)
    return()
  endif()
  get_target_property(links ${library} LINK_LIBRARIES)
  foreach(link ${links})
    if(link IN_LIST libraries)
      ov_framework_visit(${link} "${libraries}" order)
    endif()
  endforeach()
  list(APPEND order ${library})
  set(${order_var} ${order} PARENT_SCOPE)
endfunction()

function(ov_framework_install)
  include(CMakePackageConfigHelpers)
  get_property(requires GLOBAL PROPERTY OV_FRAMEWORK_REQUIRES)
  list(REMOVE_DUPLICATES requires)
  set_target_properties(OvCore PROPERTIES EXPORT_NAME OvCore)
  install(TARGETS OvCore EXPORT OvCoreTargets)
  install(EXPORT OvCoreTargets NAMESPACE OvCore:: DESTINATION ${OV_PACKAGE_DIR})

  # OvCoreConfig.cmake: the pkg-config modules first, then the targets, and
  # where the installed data and examples are, found from the file's place.
  set(OV_PACKAGE_REQUIRES "${requires}")
  file(RELATIVE_PATH OV_PACKAGE_TO_PREFIX /${OV_PACKAGE_DIR} /)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/OvCoreConfig.cmake.in
                 ${PROJECT_BINARY_DIR}/package/OvCoreConfig.cmake @ONLY)
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/OvCoreConfigVersion.cmake
                                   COMPATIBILITY SameMinorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/package/OvCoreConfig.cmake
                ${PROJECT_BINARY_DIR}/package/OvCoreConfigVersion.cmake
          DESTINATION ${OV_PACKAGE_DIR})

  # ovcore.pc: the libraries in link order, the modules they need as Requires
  # (the framework libraries are static, so their dependencies are not private).
  ov_framework_link_order(order)
  set(OV_PC_LIBS "")
  foreach(library ${order})
    string(APPEND OV_PC_LIBS " -l${library}")
  endforeach()
  set(modules "")
  foreach(entry ${requires})
    string(REGEX REPLACE "^[^:]*:" "" module "${entry}")
    list(APPEND modules ${module})
  endforeach()
  list(JOIN modules " " OV_PC_REQUIRES)
  # The file finds its prefix from its own place, so the tree can move.
  file(RELATIVE_PATH OV_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
  string(REGEX REPLACE "/$" "" OV_PC_TO_PREFIX "${OV_PC_TO_PREFIX}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/ovcore.pc.in ${PROJECT_BINARY_DIR}/package/ovcore.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/package/ovcore.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
