# The engine's own headers stay its own: with the include path that linking
# vex_engine gives a caller (vexc, the window side), engine.h compiles and
# none of the headers beside the engine's sources is reached. An include of
# one of their names either fails or finds another file of that name (the
# MinGW headers have a parser.h of their own); -H lists what was opened.
#   cmake -DCOMPILER=... -DINCLUDES=dir;dir -DENGINE_DIR=... -DWORK_DIR=...
#         -P private_headers.cmake
set(flags -std=c++20 -fsyntax-only -H)
foreach(dir IN LISTS INCLUDES)
  list(APPEND flags "-I${dir}")
endforeach()
file(MAKE_DIRECTORY "${WORK_DIR}")

function(compile_probe header result_var output_var)
  set(probe "${WORK_DIR}/probe.cpp")
  file(WRITE "${probe}" "#include \"${header}\"\n")
  execute_process(COMMAND "${COMPILER}" ${flags} "${probe}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result_var} "${result}" PARENT_SCOPE)
  set(${output_var} "${out}" PARENT_SCOPE)
endfunction()

compile_probe(engine.h result output)
string(FIND "${output}" "${ENGINE_DIR}/include/engine.h" reached)
if(NOT result EQUAL 0 OR reached EQUAL -1)
  message(FATAL_ERROR "engine.h does not compile for a caller:\n${output}")
endif()
file(GLOB own_headers RELATIVE "${ENGINE_DIR}" "${ENGINE_DIR}/*.h")
if(NOT own_headers)
  message(FATAL_ERROR "no headers found beside the engine's sources in ${ENGINE_DIR}")
endif()
foreach(header IN LISTS own_headers)
  compile_probe(${header} result output)
  string(FIND "${output}" "${ENGINE_DIR}/${header}" reached)
  if(NOT reached EQUAL -1)
    message(FATAL_ERROR "a caller can include the engine's own ${header}:\n${output}")
  endif()
endforeach()
message(STATUS "callers see engine.h; not: ${own_headers}")
