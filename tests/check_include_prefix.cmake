# Every include of a public header names its module under mivo/
# ("mivo/scale/scale.h"), so the installed headers never clash with another
# library's "scale/..." or "base/...".
set(modules platform|base|scale|qt|rchart|charts|colorscale|gauge|contour|plot3d|rot3d)
set(offenders "")
foreach(dir src examples tests bench fuzz)
  file(GLOB_RECURSE files ${SOURCE_DIR}/${dir}/*.h ${SOURCE_DIR}/${dir}/*.cpp)
  foreach(f IN LISTS files)
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${modules})/")
    if(hits)
      file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
      list(APPEND offenders "${rel}: ${hits}")
    endif()
  endforeach()
endforeach()
if(offenders)
  string(REPLACE ";" "\n" offenders "${offenders}")
  message(FATAL_ERROR "includes without the mivo/ prefix:\n${offenders}")
endif()
