# Installs the built tree into a fresh prefix, then builds and runs a program
# outside the tree against it twice: through find_package(mivo) and through
# pkg-config. EXTRA_FLAGS carries the sanitizer flags the library was built with.
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " cmd "${ARGN}")
    message(FATAL_ERROR "failed (${rc}): ${cmd}\n${out}\n${err}")
  endif()
endfunction()

function(expect_png file)
  file(READ ${file} signature LIMIT 8 HEX)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${file} is not a PNG file")
  endif()
endfunction()

# The README's install commands, run as written in the source tree (only the
# prefix /opt/mivo becomes one of ours): they must configure without
# GoogleTest or Google Benchmark, build the libraries alone, and install a
# package a program builds against.
file(READ ${README} readme)
string(FIND "${readme}" "## Installing and using the library" at)
if(at EQUAL -1)
  message(FATAL_ERROR "README.md has no section \"Installing and using the library\"")
endif()
string(SUBSTRING "${readme}" ${at} -1 section)
string(REGEX MATCHALL "\n    cmake [^\n]+" readme_commands "${section}")
list(LENGTH readme_commands n)
if(n LESS 3)
  message(FATAL_ERROR "README.md shows ${n} install commands, expected configure, build and install")
endif()
list(SUBLIST readme_commands 0 3 readme_commands)
set(readme_prefix ${WORK_DIR}/readme_prefix)
set(readme_build "")
foreach(line IN LISTS readme_commands)
  # A build tree left from an earlier run would keep its cached options.
  if(line MATCHES "-B ([^ ]+)" AND NOT readme_build)
    file(REMOVE_RECURSE ${README_DIR}/${CMAKE_MATCH_1})
  endif()
  string(STRIP "${line}" line)
  string(REPLACE "/opt/mivo" "${readme_prefix}" line "${line}")
  separate_arguments(args UNIX_COMMAND "${line}")
  list(POP_FRONT args)  # cmake: the one that runs this script
  if(line MATCHES "-B ([^ ]+)")
    set(readme_build ${README_DIR}/${CMAKE_MATCH_1})
  endif()
  message(STATUS "README: ${line}")
  execute_process(COMMAND ${CMAKE_COMMAND} ${args} WORKING_DIRECTORY ${README_DIR}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the README command failed (${rc}): ${line}\n${out}\n${err}")
  endif()
endforeach()
file(READ ${readme_build}/CMakeCache.txt cache)
foreach(unwanted GTest_DIR benchmark_DIR)
  if(cache MATCHES "\n${unwanted}:")
    message(FATAL_ERROR "the README's configure looked for ${unwanted}")
  endif()
endforeach()
foreach(part tests examples bench fuzz)
  if(EXISTS ${readme_build}/${part})
    message(FATAL_ERROR "the README's build configured ${part}: it must build the libraries alone")
  endif()
endforeach()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/readme_consumer -G Ninja
    -DCMAKE_PREFIX_PATH=${readme_prefix} -DCMAKE_BUILD_TYPE=Release -DWITH_QT=OFF)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/readme_consumer)
run(${WORK_DIR}/readme_consumer/consumer ${WORK_DIR}/readme.png)
expect_png(${WORK_DIR}/readme.png)

# The tree as the suite built it (with the sanitizers, and Qt when found).
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(expected include/mivo/platform/canvas.h include/mivo/scale/scale.h lib/libmivo.a
                 lib/cmake/mivo/mivoConfig.cmake lib/pkgconfig/mivo.pc)
  if(NOT EXISTS ${prefix}/${expected})
    message(FATAL_ERROR "the install has no ${expected}")
  endif()
endforeach()
file(GLOB_RECURSE internal ${prefix}/include/*_internal.h)
if(internal)
  message(FATAL_ERROR "private headers were installed: ${internal}")
endif()

# find_package. The prefix is moved first: the package must be relocatable.
file(RENAME ${prefix} ${WORK_DIR}/moved)
set(prefix ${WORK_DIR}/moved)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/cmake_build -G Ninja
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release -DWITH_QT=${WITH_QT}
    "-DCMAKE_CXX_FLAGS=${EXTRA_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${EXTRA_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake_build)
run(${WORK_DIR}/cmake_build/consumer ${WORK_DIR}/find_package.png)
expect_png(${WORK_DIR}/find_package.png)
if(WITH_QT)
  set(ENV{QT_QPA_PLATFORM} offscreen)
  run(${WORK_DIR}/cmake_build/consumer_qt)
endif()

# pkg-config, with the compiler called by hand as a Makefile would.
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
execute_process(COMMAND pkg-config --cflags --libs mivo RESULT_VARIABLE rc OUTPUT_VARIABLE flags
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config --cflags --libs mivo failed: ${err}")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
separate_arguments(extra UNIX_COMMAND "${EXTRA_FLAGS}")
run(${CXX} -std=c++20 ${extra} ${SOURCE_DIR}/main.cpp -o ${WORK_DIR}/pkg_consumer ${flags})
run(${WORK_DIR}/pkg_consumer ${WORK_DIR}/pkg_config.png)
expect_png(${WORK_DIR}/pkg_config.png)

# Every installed header (the Qt adapter's need Qt's) in one translation unit:
# public names of different modules must not clash.
file(GLOB_RECURSE headers RELATIVE ${prefix}/include ${prefix}/include/mivo/*.h)
set(all "")
foreach(h IN LISTS headers)
  if(NOT h MATCHES "^mivo/qt/")
    string(APPEND all "#include \"${h}\"\n")
  endif()
endforeach()
file(WRITE ${WORK_DIR}/all_headers.cpp "${all}int main() { return 0; }\n")
run(${CXX} -std=c++20 -fsyntax-only ${extra} ${WORK_DIR}/all_headers.cpp ${flags})
