# Fails when a file includes a header from a folder that its own folder may
# not include. The folders of src/ are layers, and includes run down only:
# rom <- compare <- layout <- editor <- ui <- app, and rom, compare,
# layout <- cli. Each folder of tests/ that mirrors one of src/ keeps to
# the same layers, and may also include the shared support; the window's
# tests also start the program's command line.
#   cmake -DROOT=<the repository> -P layers.cmake
cmake_minimum_required(VERSION 3.25)

set(may_include_rom rom)
set(may_include_compare rom compare)
set(may_include_layout rom compare layout)
set(may_include_editor rom compare layout editor)
set(may_include_ui rom compare layout editor ui)
set(may_include_app rom compare layout editor ui app)
set(may_include_cli rom compare layout cli)
set(tests_may_include_ui app)

set(wrong "")
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT}/src ${ROOT}/src/*)
foreach(folder IN LISTS folders)
  if(NOT IS_DIRECTORY ${ROOT}/src/${folder})
    continue()
  endif()
  if(NOT DEFINED may_include_${folder})
    string(APPEND wrong "src/${folder} is in no layer of tests/layers.cmake\n")
    continue()
  endif()
  file(GLOB_RECURSE files ${ROOT}/src/${folder}/*.h ${ROOT}/src/${folder}/*.cpp
       ${ROOT}/tests/${folder}/*.h ${ROOT}/tests/${folder}/*.cpp)
  foreach(file IN LISTS files)
    set(allowed ${may_include_${folder}})
    if(file MATCHES "^${ROOT}/tests/")
      list(APPEND allowed support ${tests_may_include_${folder}})
    endif()
    file(STRINGS ${file} includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "^#include \"([a-z_]+)/" unused "${line}")
      if(NOT CMAKE_MATCH_1 IN_LIST allowed)
        file(RELATIVE_PATH shown ${ROOT} ${file})
        string(APPEND wrong "${shown}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(wrong)
  message(FATAL_ERROR "Includes that run up the layers:\n${wrong}")
endif()
message(STATUS "Every include runs down the layers.")
