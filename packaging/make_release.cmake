# Packs one release zip (run with cmake -P). Variables:
#   VEX_EXE, VEX_CHM      the program and its help file
#   VEX_CHM_EN            the English help file
#   VEX_VERSION, VEX_ARCH written into the readme texts ("3.10", "win32")
#   TEXT_DIR              folder of readme-ja.txt and readme-en.txt
#   LICENSE_FILE          the licence text
#   ZIP_EXECUTABLE, TOUCH_EXECUTABLE
#   OBJCOPY               the toolchain's objcopy
#   STAGE_DIR             scratch folder, emptied first
#   OUTPUT                the zip to write (replaced as a whole)
#   DEBUG_OUTPUT          where the program's debug information is kept,
#                         outside the zip (replaced as a whole)
#   EPOCH                 entry time in seconds since 1970 (optional; else
#                         SOURCE_DATE_EPOCH from the environment, else
#                         DEFAULT_EPOCH)
#
# The texts are kept as UTF-8 with LF line ends in the repository. In the zip
# they get CR LF line ends, which every Notepad shows as line breaks (older
# ones show LF alone as one long line), and the Japanese readme gets the
# UTF-8 byte order mark: with it Notepad from Windows 2000 on reads the file
# as UTF-8 whatever the system's code page, on Japanese Windows and
# elsewhere. (A Shift-JIS file would be garbled outside Japanese Windows;
# UTF-16 would do as well in Notepad but makes the text a binary file for
# most other tools.)
#
# The zipped vex.exe is the built one without its debug information and
# symbol table (the statically linked C++ runtime brings DWARF sections that
# nearly double the file). They go into DEBUG_OUTPUT instead, which the zipped
# program names in its .gnu_debuglink section, so a debugger given both finds
# them. Only sections a debugger reads are removed: code, data and resources
# are the bytes the tests ran.
cmake_minimum_required(VERSION 3.25)

foreach(var VEX_EXE VEX_CHM VEX_CHM_EN VEX_VERSION VEX_ARCH TEXT_DIR LICENSE_FILE
            ZIP_EXECUTABLE TOUCH_EXECUTABLE OBJCOPY STAGE_DIR OUTPUT DEBUG_OUTPUT)
  if("${${var}}" STREQUAL "")
    message(FATAL_ERROR "make_release: ${var} is not set")
  endif()
endforeach()

if(NOT "${EPOCH}" STREQUAL "")
  set(epoch "${EPOCH}")
elseif(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  set(epoch "${DEFAULT_EPOCH}")
endif()
# A zip entry's time cannot be before 1980 (315532800 is 1980-01-01 UTC).
if(NOT epoch MATCHES "^[0-9]+$" OR epoch LESS 315532800)
  message(FATAL_ERROR "make_release: unusable entry time '${epoch}'")
endif()

# The entries, in the order they are stored (byte order of their names).
set(entries LICENSE readme-en.txt readme-ja.txt vex-en.chm vex.chm vex.exe)

file(REMOVE_RECURSE "${STAGE_DIR}")
file(MAKE_DIRECTORY "${STAGE_DIR}")

# write_text(SOURCE NAME BOM): the text with CR LF line ends and the version
# filled in; BOM true puts the UTF-8 byte order mark first.
function(write_text source name bom)
  file(READ "${source}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "@VERSION@" "${VEX_VERSION}" text "${text}")
  string(REPLACE "@ARCH@" "${VEX_ARCH}" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  if(bom)
    string(ASCII 239 187 191 mark)
    string(PREPEND text "${mark}")
  endif()
  file(WRITE "${STAGE_DIR}/${name}" "${text}")
endfunction()

write_text("${LICENSE_FILE}" LICENSE FALSE)
write_text("${TEXT_DIR}/readme-en.txt" readme-en.txt FALSE)
write_text("${TEXT_DIR}/readme-ja.txt" readme-ja.txt TRUE)
file(COPY_FILE "${VEX_CHM}" "${STAGE_DIR}/vex.chm")
file(COPY_FILE "${VEX_CHM_EN}" "${STAGE_DIR}/vex-en.chm")

# objcopy writes the current time into the PE header of what it writes,
# unless SOURCE_DATE_EPOCH says otherwise: 0, as the linker leaves it
# (--no-insert-timestamp), whatever time the zip entries get. The debug link
# stores the file's name and checksum; the name must be vex.exe.debug.
function(run_objcopy)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 "${OBJCOPY}" ${ARGN}
    WORKING_DIRECTORY "${STAGE_DIR}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "make_release: objcopy ${ARGN} failed (${result})")
  endif()
endfunction()
run_objcopy(--only-keep-debug "${VEX_EXE}" vex.exe.debug)
run_objcopy(--strip-all --add-gnu-debuglink=vex.exe.debug "${VEX_EXE}" vex.exe)

# Fixed permissions and one fixed time for every entry.
foreach(name IN LISTS entries)
  if(name STREQUAL "vex.exe")
    file(CHMOD "${STAGE_DIR}/${name}" PERMISSIONS
         OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
         WORLD_READ WORLD_EXECUTE)
  else()
    file(CHMOD "${STAGE_DIR}/${name}" PERMISSIONS
         OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
  execute_process(COMMAND "${TOUCH_EXECUTABLE}" -d "@${epoch}" "${name}"
                  WORKING_DIRECTORY "${STAGE_DIR}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "make_release: could not set the time of ${name}")
  endif()
endforeach()

# zip writes the entry times as local time: UTC makes them the same
# everywhere. -X: no extra fields (owner, extended times); -D: no folder
# entries; -9: the best compression, independent of zip's default.
get_filename_component(output "${OUTPUT}" ABSOLUTE)
set(partial "${output}.partial")
file(REMOVE "${partial}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env TZ=UTC LC_ALL=C
          "${ZIP_EXECUTABLE}" -X -D -q -9 "${partial}" ${entries}
  WORKING_DIRECTORY "${STAGE_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${partial}")
  message(FATAL_ERROR "make_release: zip failed (${result})")
endif()
file(RENAME "${partial}" "${output}")
get_filename_component(debug_output "${DEBUG_OUTPUT}" ABSOLUTE)
file(COPY_FILE "${STAGE_DIR}/vex.exe.debug" "${debug_output}")

file(SHA256 "${output}" digest)
file(SIZE "${output}" zip_size)
file(SIZE "${STAGE_DIR}/vex.exe" exe_size)
file(SIZE "${VEX_EXE}" built_size)
get_filename_component(zip_name "${output}" NAME)
message(STATUS "Wrote ${output}")
message(STATUS "SHA-256 ${digest}")
message(STATUS "${zip_name}: ${zip_size} bytes")
message(STATUS "vex.exe in it: ${exe_size} bytes "
               "(${built_size} as built; debug information in ${debug_output})")
