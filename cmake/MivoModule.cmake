# mivo_module(<name> DIR <source dir> [DEPS <modules and libraries>])
#
# Builds one module as an object library. Its headers are reached as
# "<name>/header.h" through a private include root that holds only a link to
# the module's own folder, so a module can include the headers of the modules
# it links and nothing above them: an upward include fails to compile.
function(mivo_module name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  set(target mivo_${name})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(NOT sources)
    # A module that has only headers so far.
    set(sources ${CMAKE_SOURCE_DIR}/cmake/empty_module.cpp)
  endif()
  add_library(${target} OBJECT ${sources})
  set(include_root ${CMAKE_BINARY_DIR}/include_roots/${name})
  file(MAKE_DIRECTORY ${include_root})
  file(CREATE_LINK ${ARG_DIR} ${include_root}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${include_root})
  target_link_libraries(${target} PUBLIC mivo_flags ${ARG_DEPS})
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  set(MIVO_MODULES ${MIVO_MODULES} ${target} PARENT_SCOPE)
endfunction()
