# Unpacks a compiled help file into a fresh folder with extract_chmLib.
#   cmake -DEXTRACT_CHMLIB=<path> -DCHM=<vex.chm> -DOUT=<folder> -P unpack_chm.cmake
if(NOT EXTRACT_CHMLIB)
  message(FATAL_ERROR "extract_chmLib was not found at configure time: install libchm-bin "
                      "(scripts/deps.sh) and configure again")
endif()
if(NOT EXISTS "${CHM}")
  message(FATAL_ERROR "${CHM} does not exist: build first")
endif()
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${EXTRACT_CHMLIB}" "${CHM}" "${OUT}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS "${OUT}/#SYSTEM")
  message(FATAL_ERROR "extract_chmLib could not unpack ${CHM} (${rc}): ${err}")
endif()
file(GLOB pages "${OUT}/*.html")
list(LENGTH pages count)
message(STATUS "${CHM}: ${count} pages unpacked into ${OUT}")
