# Fails when a source file includes a header of a folder above its own.
# The folders, lowest first; a folder may include its own headers and those
# of every folder before it. engine and hosts stand side by side.
#   cmake -DROOT=<source dir> -P check_layers.cmake
set(order platform lang rules system engine hosts app ui)
# Folders on one level that must not include each other.
set(peers_engine hosts)
set(peers_hosts engine)

set(errors "")
foreach(folder ${order})
  list(FIND order ${folder} level)
  file(GLOB_RECURSE files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(file ${files})
    # The program entry composes every layer: it is the one file above ui/.
    if(file STREQUAL "${ROOT}/app/main.cpp")
      continue()
    endif()
    file(STRINGS ${file} includes REGEX "^#include \"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${line}")
      list(FIND order ${target} target_level)
      if(target_level EQUAL -1)
        continue()
      endif()
      list(FIND peers_${folder} ${target} peer)
      if(target_level GREATER level OR NOT peer EQUAL -1)
        file(RELATIVE_PATH rel ${ROOT} ${file})
        string(APPEND errors "  ${rel}: ${line} reaches up to ${target}/\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(errors)
  message(FATAL_ERROR "Layer order platform <- lang <- rules <- system <- engine, hosts <- app <- ui broken:\n${errors}")
endif()
