# Test of the release zip (run with cmake -P by ctest). Packs the zip twice
# from the same program and help file, with the files' own times changed in
# between, and checks:
#   - the two zips are the same bytes;
#   - the entries are exactly LICENSE, readme-en.txt, readme-ja.txt,
#     vex-en.chm, vex.chm and vex.exe, in that order, with no folders;
#   - every entry carries the given time as UTC, whatever the time zone;
#   - unpacked, both help files are the built ones unchanged, the texts have CR LF
#     line ends only, and the Japanese one starts with the UTF-8 byte order
#     mark and names the version;
#   - vex.exe has no debug sections (objdump -h) and names its debug file;
#     every other section is the built program's, same place, same bytes;
#     the debug file kept outside the zip has the debug sections and is the
#     same bytes both times;
#   - vex.exe has no link time stamp (else no two builds would be the same).
# Takes the variables of make_release.cmake except STAGE_DIR, OUTPUT,
# DEBUG_OUTPUT and EPOCH, plus WORK_DIR, MAKE_RELEASE and OBJDUMP (the
# toolchain's objdump).
cmake_minimum_required(VERSION 3.25)

set(failures 0)
macro(fail text)
  message(SEND_ERROR "${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/in")
file(COPY_FILE "${VEX_EXE}" "${WORK_DIR}/in/vex.exe")
file(COPY_FILE "${VEX_CHM}" "${WORK_DIR}/in/vex.chm")
file(COPY_FILE "${VEX_CHM_EN}" "${WORK_DIR}/in/vex-en.chm")

# 2026-01-01 00:00:00 UTC; in a zip entry: time 0x0000, date 0x5C21
# ((2026 - 1980) << 9 | 1 << 5 | 1).
set(epoch 1767225600)
function(pack number)
  execute_process(
    COMMAND ${CMAKE_COMMAND}
      -DVEX_EXE=${WORK_DIR}/in/vex.exe -DVEX_CHM=${WORK_DIR}/in/vex.chm
      -DVEX_CHM_EN=${WORK_DIR}/in/vex-en.chm
      -DVEX_VERSION=${VEX_VERSION} -DVEX_ARCH=${VEX_ARCH}
      -DTEXT_DIR=${TEXT_DIR} -DLICENSE_FILE=${LICENSE_FILE}
      -DZIP_EXECUTABLE=${ZIP_EXECUTABLE} -DTOUCH_EXECUTABLE=${TOUCH_EXECUTABLE}
      -DOBJCOPY=${OBJCOPY}
      -DSTAGE_DIR=${WORK_DIR}/stage${number}
      -DOUTPUT=${WORK_DIR}/vex${number}.zip -DEPOCH=${epoch}
      -DDEBUG_OUTPUT=${WORK_DIR}/vex${number}.exe.debug
      -P ${MAKE_RELEASE}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "packing zip ${number} failed")
  endif()
endfunction()

pack(1)
# Zip times have a resolution of two seconds: wait past it and give the
# inputs a new time, which must not show in the result.
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 2.1)
file(TOUCH "${WORK_DIR}/in/vex.exe" "${WORK_DIR}/in/vex.chm" "${WORK_DIR}/in/vex-en.chm")
pack(2)

file(SHA256 "${WORK_DIR}/vex1.zip" digest1)
file(SHA256 "${WORK_DIR}/vex2.zip" digest2)
if(NOT digest1 STREQUAL digest2)
  fail("the two zips differ: ${digest1} and ${digest2}")
endif()
file(SHA256 "${WORK_DIR}/vex1.exe.debug" debug1)
file(SHA256 "${WORK_DIR}/vex2.exe.debug" debug2)
if(NOT debug1 STREQUAL debug2)
  fail("the two debug files differ: ${debug1} and ${debug2}")
endif()

# read_le(POS LENGTH OUT): the little-endian number of LENGTH bytes at byte
# POS of the current local header (zip and offset as set by the caller).
function(read_le pos length out)
  math(EXPR start "(${offset} + ${pos}) * 2")
  math(EXPR hex_length "${length} * 2")
  string(SUBSTRING "${zip}" ${start} ${hex_length} bytes)
  set(value "")
  foreach(i RANGE 1 ${length})
    math(EXPR back "(${length} - ${i}) * 2")
    string(SUBSTRING "${bytes}" ${back} 2 byte)
    string(APPEND value "${byte}")
  endforeach()
  math(EXPR value "0x${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# Walk the local headers: signature, time, date, sizes, name.
file(READ "${WORK_DIR}/vex1.zip" zip HEX)
string(LENGTH "${zip}" zip_length)
set(names "")
set(offset 0)
while(TRUE)
  math(EXPR hex_offset "${offset} * 2")
  if(hex_offset GREATER_EQUAL zip_length)
    break()
  endif()
  string(SUBSTRING "${zip}" ${hex_offset} 8 signature)
  if(NOT signature STREQUAL "504b0304")
    break()
  endif()
  read_le(10 2 entry_time)
  read_le(12 2 entry_date)
  read_le(18 4 packed_size)
  read_le(26 2 name_length)
  read_le(28 2 extra_length)
  math(EXPR name_start "(${offset} + 30) * 2")
  math(EXPR name_hex_length "${name_length} * 2")
  string(SUBSTRING "${zip}" ${name_start} ${name_hex_length} name_hex)
  # Names are plain ASCII: turn the hex pairs back into characters.
  set(name "")
  string(LENGTH "${name_hex}" n)
  math(EXPR last "${n} - 2")
  foreach(i RANGE 0 ${last} 2)
    string(SUBSTRING "${name_hex}" ${i} 2 pair)
    math(EXPR code "0x${pair}")
    string(ASCII ${code} char)
    string(APPEND name "${char}")
  endforeach()
  list(APPEND names "${name}")
  if(NOT entry_time EQUAL 0 OR NOT entry_date EQUAL 23585)
    fail("${name}: entry time ${entry_time}, date ${entry_date}; expected 0 and 23585")
  endif()
  if(NOT extra_length EQUAL 0)
    fail("${name}: ${extra_length} bytes of extra fields")
  endif()
  math(EXPR offset "${offset} + 30 + ${name_length} + ${extra_length} + ${packed_size}")
endwhile()
set(expected LICENSE readme-en.txt readme-ja.txt vex-en.chm vex.chm vex.exe)
if(NOT names STREQUAL expected)
  fail("entries are '${names}', expected '${expected}'")
endif()

file(ARCHIVE_EXTRACT INPUT "${WORK_DIR}/vex1.zip" DESTINATION "${WORK_DIR}/out")
foreach(chm vex.chm vex-en.chm)
  file(SHA256 "${WORK_DIR}/in/${chm}" built)
  file(SHA256 "${WORK_DIR}/out/${chm}" unpacked)
  if(NOT built STREQUAL unpacked)
    fail("${chm} in the zip is not the built file")
  endif()
endforeach()

# read_sections(FILE OUT): the section table of FILE from objdump -h, one
# "name size address flags" entry per section.
function(read_sections file out)
  execute_process(COMMAND "${OBJDUMP}" -h "${file}"
                  OUTPUT_VARIABLE table RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump -h ${file} failed")
  endif()
  string(REPLACE "\n" ";" lines "${table}")
  set(sections "")
  set(entry "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^ *[0-9]+ ([^ ]+) +([0-9a-f]+) +([0-9a-f]+) ")
      set(entry "${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3}")
    elseif(entry AND line MATCHES "^ +([A-Z_, ]+)$")
      list(APPEND sections "${entry} ${CMAKE_MATCH_1}")
      set(entry "")
    endif()
  endforeach()
  set(${out} "${sections}" PARENT_SCOPE)
endfunction()

read_sections("${WORK_DIR}/in/vex.exe" built_sections)
read_sections("${WORK_DIR}/out/vex.exe" zipped_sections)
read_sections("${WORK_DIR}/vex1.exe.debug" debug_sections)
if(NOT built_sections OR NOT zipped_sections)
  fail("objdump -h listed no sections of vex.exe")
endif()
set(kept "")
set(debug_link FALSE)
foreach(section IN LISTS zipped_sections)
  if(section MATCHES "^\\.debug_")
    fail("vex.exe in the zip carries debug information: ${section}")
  elseif(section MATCHES "^\\.gnu_debuglink ")
    set(debug_link TRUE)
  else()
    list(APPEND kept "${section}")
  endif()
endforeach()
if(NOT debug_link)
  fail("vex.exe in the zip does not name its debug file (.gnu_debuglink)")
endif()
list(FILTER built_sections EXCLUDE REGEX "^\\.debug_")
if(NOT kept STREQUAL built_sections)
  fail("the sections of vex.exe in the zip are not the built program's:\n"
       "  built:  ${built_sections}\n  zipped: ${kept}")
endif()
if(NOT debug_sections MATCHES "(^|;)\\.debug_info ")
  fail("vex.exe.debug holds no .debug_info: ${debug_sections}")
endif()

# The bytes of every section the program loads are the built ones.
set(dump_built "")
set(dump_zipped "")
set(dumped "")
foreach(section IN LISTS kept)
  if(section MATCHES "^([^ ]+) .*CONTENTS.*LOAD")
    set(name "${CMAKE_MATCH_1}")
    list(LENGTH dumped n)
    list(APPEND dumped "${name}")
    list(APPEND dump_built --dump-section "${name}=${WORK_DIR}/built-${n}.bin")
    list(APPEND dump_zipped --dump-section "${name}=${WORK_DIR}/zipped-${n}.bin")
  endif()
endforeach()
execute_process(COMMAND "${OBJCOPY}" ${dump_built} "${WORK_DIR}/in/vex.exe" "${WORK_DIR}/copy1.exe"
                RESULT_VARIABLE result1)
execute_process(COMMAND "${OBJCOPY}" ${dump_zipped} "${WORK_DIR}/out/vex.exe" "${WORK_DIR}/copy2.exe"
                RESULT_VARIABLE result2)
if(NOT result1 EQUAL 0 OR NOT result2 EQUAL 0 OR NOT dumped)
  fail("could not read the sections of vex.exe with objcopy")
endif()
set(n 0)
foreach(name IN LISTS dumped)
  file(SHA256 "${WORK_DIR}/built-${n}.bin" built)
  file(SHA256 "${WORK_DIR}/zipped-${n}.bin" zipped)
  if(NOT built STREQUAL zipped)
    fail("section ${name} of vex.exe in the zip is not the built one")
  endif()
  math(EXPR n "${n} + 1")
endforeach()

foreach(name LICENSE readme-en.txt readme-ja.txt)
  # In hex, byte aligned: a LF (0a) first or after a byte other than CR (0d).
  file(READ "${WORK_DIR}/out/${name}" text HEX)
  if(text MATCHES "^0a" OR text MATCHES "^(..)*(0[0-9a-ce-f]|[1-9a-f].)0a")
    fail("${name} has a line end without CR")
  endif()
  file(READ "${WORK_DIR}/out/${name}" head OFFSET 0 LIMIT 3 HEX)
  if(name STREQUAL "readme-ja.txt")
    if(NOT head STREQUAL "efbbbf")
      fail("readme-ja.txt does not start with the UTF-8 byte order mark")
    endif()
  elseif(head STREQUAL "efbbbf")
    fail("${name} starts with a byte order mark")
  endif()
endforeach()
file(READ "${WORK_DIR}/out/readme-ja.txt" text_ja)
if(NOT text_ja MATCHES "${VEX_VERSION}" OR text_ja MATCHES "@VERSION@|@ARCH@")
  fail("readme-ja.txt does not name version ${VEX_VERSION}")
endif()

# PE header: its offset at 0x3C, the link time stamp 8 bytes into it.
file(READ "${WORK_DIR}/out/vex.exe" pe_offset_hex OFFSET 60 LIMIT 4 HEX)
string(REGEX REPLACE "^(..)(..)(..)(..)$" "\\4\\3\\2\\1" pe_offset_hex "${pe_offset_hex}")
math(EXPR stamp_offset "0x${pe_offset_hex} + 8")
file(READ "${WORK_DIR}/out/vex.exe" stamp OFFSET ${stamp_offset} LIMIT 4 HEX)
if(NOT stamp STREQUAL "00000000")
  fail("vex.exe carries a time stamp (${stamp}): link with --no-insert-timestamp, "
       "run objcopy with SOURCE_DATE_EPOCH=0")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} check(s) of the release zip failed")
endif()
list(LENGTH dumped section_count)
message(STATUS "release zip: ${names}, same bytes twice (${digest1}); "
               "vex.exe without debug sections, its ${section_count} loaded sections as built")
