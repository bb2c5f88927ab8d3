# mivo_module(<name> DIR <source dir> [DEPS <modules and libraries>])
#
# Builds one module as an object library that the library `mivo` is made of.
# Its headers are reached as "mivo/<name>/header.h" through a private include
# root that holds only a link to the module's own folder, so a module can
# include the headers of the modules it links and nothing above them: an upward
# include fails to compile. Installed, the same headers sit under
# include/mivo/<name>/ (the *_internal.h headers stay behind).
function(mivo_module name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  set(target mivo_${name})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(NOT sources)
    # A module that has only headers so far.
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty_module.cpp)
  endif()
  add_library(${target} OBJECT ${sources})
  set(include_root ${PROJECT_BINARY_DIR}/include_roots/${name})
  file(MAKE_DIRECTORY ${include_root}/mivo)
  file(CREATE_LINK ${ARG_DIR} ${include_root}/mivo/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${include_root}>)
  target_link_libraries(${target} PUBLIC $<BUILD_INTERFACE:mivo_flags> ${ARG_DEPS})
  mivo_library_defaults(${target})
  install(DIRECTORY ${ARG_DIR}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/mivo/${name}
    FILES_MATCHING PATTERN "*.h" PATTERN "*_internal.h" EXCLUDE)
  set(MIVO_MODULES ${MIVO_MODULES} ${target} PARENT_SCOPE)
  set(MIVO_INCLUDE_ROOTS ${MIVO_INCLUDE_ROOTS} ${include_root} PARENT_SCOPE)
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
