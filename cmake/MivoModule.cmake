# mivo_module(<name> DIR <source dir> [DEPS <modules and libraries>])
#
# Builds one module as an object library that the library `mivo` is made of.
# Its folder is src/mivo/<name>/ and its headers are included by that path
# ("mivo/<name>/header.h") from the one include root src/. Which module may
# include which is the DEPS graph: each module's direct mivo_* dependencies
# are recorded here and the layering test (tests/check_layering.cmake) fails
# on an include of a module that is not below. Installed, the same headers sit
# under include/mivo/<name>/ (the *_internal.h headers stay behind).
function(mivo_module name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  set(target mivo_${name})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(NOT sources)
    # A module that has only headers so far.
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty_module.cpp)
  endif()
  add_library(${target} OBJECT ${sources})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${MIVO_INCLUDE_ROOT}>)
  target_link_libraries(${target} PUBLIC $<BUILD_INTERFACE:mivo_flags> ${ARG_DEPS})
  mivo_library_defaults(${target})
  install(DIRECTORY ${ARG_DIR}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/mivo/${name}
    FILES_MATCHING PATTERN "*.h" PATTERN "*_internal.h" EXCLUDE)
  mivo_record_layer(${name} ${ARG_DEPS})
  set(MIVO_MODULES ${MIVO_MODULES} ${target} PARENT_SCOPE)
endfunction()

# Records the modules that <name> links directly (its mivo_* dependencies) for
# the layering test: "name:dep1,dep2" in the global property MIVO_LAYERS.
function(mivo_record_layer name)
  set(below "")
  foreach(dep IN LISTS ARGN)
    if(dep MATCHES "^mivo_(.+)$")
      list(APPEND below ${CMAKE_MATCH_1})
    endif()
  endforeach()
  string(REPLACE ";" "," below "${below}")
  set_property(GLOBAL APPEND PROPERTY MIVO_LAYERS "${name}:${below}")
endfunction()

# Code that goes into a library: position independent (the static archive may
# end up in a shared object) and hidden unless a public header exports it
# (see mivo/platform/export.h).
function(mivo_library_defaults target)
  set_target_properties(${target} PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()
