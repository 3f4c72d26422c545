# Runs vexc (through EMULATOR when set) on a set of cases and compares the
# exact output bytes and the exit status.
#   cmake -DEMULATOR=<wine or empty> -DVEXC=<path> -DWORK_DIR=<dir>
#         -DVEX_VERSION=<major.minor of the project> -P vexc_cases.cmake

if(NOT VEX_VERSION MATCHES "^[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "VEX_VERSION '${VEX_VERSION}' is not major.minor")
endif()

set(failures 0)
set(input_file "${WORK_DIR}/vexc_cases_input.txt")

# check_vexc(NAME <name> [ARGS <arg>...] [INPUT <text>] STATUS <n>
#            [OUT <exact stdout>] [ERR <fragment of stderr>])
function(check_vexc)
  cmake_parse_arguments(C "" "NAME;INPUT;STATUS;OUT;ERR" "ARGS" ${ARGN})
  file(WRITE "${input_file}" "${C_INPUT}")
  execute_process(COMMAND ${EMULATOR} "${VEXC}" ${C_ARGS}
                  INPUT_FILE "${input_file}"
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  set(ok TRUE)
  if(NOT status STREQUAL C_STATUS)
    set(ok FALSE)
  endif()
  if(DEFINED C_OUT AND NOT out STREQUAL C_OUT)
    set(ok FALSE)
  endif()
  if(DEFINED C_ERR)
    string(FIND "${err}" "${C_ERR}" at)
    if(at EQUAL -1)
      set(ok FALSE)
    endif()
  endif()
  if(NOT ok)
    message("FAIL ${C_NAME}: status ${status} (want ${C_STATUS})\n"
            "  stdout [${out}]\n  want   [${C_OUT}]\n  stderr [${err}]")
    math(EXPR n "${failures} + 1")
    set(failures ${n} PARENT_SCOPE)
  endif()
endfunction()

set(syntax "文法ｴﾗ-です")
set(divide "零で除算しました")

check_vexc(NAME arguments ARGS 1+2*3 2^10 STATUS 0 OUT "7.\n1024.\n")
check_vexc(NAME stdin INPUT "1+2*3\n2^10" STATUS 0 OUT "7.\n1024.\n")
check_vexc(NAME crlf INPUT "1+2\r\n3*4\r\n" STATUS 0 OUT "3.\n12.\n")
check_vexc(NAME assignment INPUT "A= 1+2\nA*2\n" STATUS 0 OUT "3.\n6.\n")
check_vexc(NAME degrees ARGS --deg "SIN(30)*2" STATUS 0 OUT "1.\n")
check_vexc(NAME radix ARGS --radix 16 -- -1 STATUS 0 OUT "ffffffff\n")
check_vexc(NAME radix_error ARGS --radix 16 1/0 STATUS 1 OUT "${divide}\n")
check_vexc(NAME tsv ARGS --tsv 1+2 1+*2 STATUS 1
           OUT "0\t3\t4008000000000000\t3.\n4\t2\t0000000000000000\t${syntax}\n")
check_vexc(NAME leading_minus ARGS -1+2 STATUS 0 OUT "1.\n")
check_vexc(NAME unknown_option ARGS --nope STATUS 2 OUT "" ERR "unknown option '--nope'")
check_vexc(NAME bad_radix ARGS --radix 7 1 STATUS 2 OUT "" ERR "invalid radix '7'")
string(REPEAT "2" 256 long_line)
check_vexc(NAME overlong_line INPUT "1\n${long_line}\n"
           STATUS 2 OUT "1.\n" ERR "line 2: longer than 255 bytes")
check_vexc(NAME english ARGS --lang en 1/0 1+*2 1E999 "SQR(-1)" 2 STATUS 1
           OUT "Division by zero\nSyntax error\nOverflow\nArgument out of range\n2.\n")
check_vexc(NAME japanese ARGS 1/0 --lang ja STATUS 1 OUT "${divide}\n")
check_vexc(NAME bad_language ARGS --lang de 1 STATUS 2 OUT "" ERR "invalid language 'de'")
check_vexc(NAME help ARGS --help STATUS 0)
check_vexc(NAME version ARGS --version 1+2 STATUS 0 OUT "vexc ${VEX_VERSION}\n")

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} vexc case(s) failed")
endif()
