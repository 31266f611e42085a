# The core's libraries (model, drawing, corner, tracers, view, dialog logic) are plain C++ that
# any shell can use. Two checks at configure time keep them so:
# - cf_core_library(target) records a core target; at the end of configuration none of them
#   may link a Qt library, directly or through another library.
# - cf_check_includes(folder allowed...) fails when a file of folder includes a project header
#   from a folder not in allowed (the layers point one way).
# - cf_check_door(file...) fails when one of these shell files includes a header of the flow's
#   own layers (model, corner, tracers, view, plot): they reach the flow through FlowSession.

set_property(GLOBAL PROPERTY CF_CORE_TARGETS "")

function(cf_core_library target)
  set_property(GLOBAL APPEND PROPERTY CF_CORE_TARGETS ${target})
endfunction()

# Every library target reachable from target through its link interface, target included.
function(_cf_link_closure target out)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue t)
    if(t IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${t})
    if(TARGET ${t})
      get_target_property(type ${t} TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(deps ${t} LINK_LIBRARIES)
        if(deps)
          list(APPEND queue ${deps})
        endif()
      endif()
      get_target_property(ideps ${t} INTERFACE_LINK_LIBRARIES)
      if(ideps)
        list(APPEND queue ${ideps})
      endif()
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(cf_check_core_links)
  get_property(targets GLOBAL PROPERTY CF_CORE_TARGETS)
  foreach(t ${targets})
    _cf_link_closure(${t} closure)
    foreach(dep ${closure})
      if(dep MATCHES "^Qt[0-9]*::|^Qt[0-9]*[A-Z]")
        message(FATAL_ERROR "The core library ${t} links ${dep}; the core links no Qt.")
      endif()
    endforeach()
  endforeach()
endfunction()

function(cf_check_includes folder)
  file(GLOB files ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${lines})
      if(line MATCHES "#[ \t]*include[ \t]*[<\"]Q")
        message(FATAL_ERROR "${f}: includes Qt (${line}); ${folder}/ is plain C++.")
      endif()
      if(line MATCHES "#[ \t]*include[ \t]*\"([a-z_]+)/")
        set(dir ${CMAKE_MATCH_1})
        if(NOT dir IN_LIST ARGN AND NOT dir STREQUAL folder)
          message(FATAL_ERROR "${f}: includes from ${dir}/ (${line}); ${folder}/ may include only ${ARGN}.")
        endif()
      endif()
    endforeach()
  endforeach()
endfunction()

set(CF_BEHIND_THE_DOOR model corner tracers view plot)

function(cf_check_door)
  foreach(name ${ARGN})
    set(f ${PROJECT_SOURCE_DIR}/${name})
    if(NOT EXISTS ${f})
      message(FATAL_ERROR "cf_check_door: ${name} does not exist.")
    endif()
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      if(line MATCHES "#[ \t]*include[ \t]*\"([a-z_]+)/")
        if(CMAKE_MATCH_1 IN_LIST CF_BEHIND_THE_DOOR)
          message(FATAL_ERROR "${f}: includes from ${CMAKE_MATCH_1}/ (${line}); this shell file "
                              "reaches the flow only through dialog/ (FlowSession).")
        endif()
      endif()
    endforeach()
  endforeach()
endfunction()

# The shells' calculator, plot export, command-line reader and the page's bindings.
cf_check_door(app/calc.h app/calc.cpp app/plot_export.cpp app/options.h app/options.cpp
              web/bindings.cpp)
