# Compiles the staged help sources twice, more than a second apart, clears the
# compile time of each result and requires identical bytes. CHM_NAME is the
# file the staged project compiles (vex.chm, vex-en.chm).
foreach(run 1 2)
  set(dir "${WORK}/${run}")
  file(REMOVE_RECURSE "${dir}")
  file(COPY "${STAGE}/" DESTINATION "${dir}" PATTERN "${CHM_NAME}" EXCLUDE)
  execute_process(COMMAND "${CHMCMD}" vex.hhp WORKING_DIRECTORY "${dir}"
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0 OR NOT EXISTS "${dir}/${CHM_NAME}")
    message(FATAL_ERROR "chmcmd failed in ${dir} (${rc})")
  endif()
  execute_process(COMMAND "${PYTHON}" "${NORMALIZE}" ${CHM_NAME} WORKING_DIRECTORY "${dir}"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "normalize_chm.py failed on ${dir}/${CHM_NAME}")
  endif()
  file(SHA256 "${dir}/${CHM_NAME}" hash_${run})
  if(run EQUAL 1)
    execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.2)
  endif()
endforeach()
if(NOT hash_1 STREQUAL hash_2)
  message(FATAL_ERROR "two compilations of the same help sources differ")
endif()
message(STATUS "${CHM_NAME} compiled twice: identical (${hash_1})")
