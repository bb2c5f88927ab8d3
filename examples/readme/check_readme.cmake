# Every example file must appear in README as a ```cpp block, character for
# character, so the README never shows code that does not compile.
file(READ ${README} readme)
file(GLOB examples ${EXAMPLES_DIR}/*.cpp)
foreach(example IN LISTS examples)
  file(READ ${example} code)
  string(FIND "${readme}" "```cpp\n${code}```" at)
  if(at EQUAL -1)
    get_filename_component(name ${example} NAME)
    message(FATAL_ERROR "README.md does not show examples/readme/${name} exactly (as a ```cpp block)")
  endif()
endforeach()
