# Runs the quillon program in batch mode and checks what it did.
#   PROGRAM          the quillon executable
#   ARGS             its arguments, separated by "|"
#   STATUS    the exit status it must end with
#   STDERR    a regular expression its standard error must match
#   STDOUT    a regular expression its standard output must match
#   OUTPUT    the file it writes (removed first)
#   EXPECTED  a file OUTPUT must equal byte for byte
#   MAGIC     the hexadecimal bytes OUTPUT must begin with
#   REEXPORT  a second output: OUTPUT exported again must give the same bytes
string(REPLACE "|" ";" arguments "${ARGS}")
if(DEFINED OUTPUT)
  file(REMOVE "${OUTPUT}")
endif()
execute_process(COMMAND "${PROGRAM}" ${arguments}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstderr: ${err}")
endif()
if(DEFINED STDERR AND NOT err MATCHES "${STDERR}")
  message(FATAL_ERROR "standard error does not match '${STDERR}':\n${err}")
endif()
if(DEFINED STDOUT AND NOT out MATCHES "${STDOUT}")
  message(FATAL_ERROR "standard output does not match '${STDOUT}':\n${out}")
endif()
if(DEFINED EXPECTED)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${EXPECTED}"
    RESULT_VARIABLE different)
  if(different)
    file(READ "${OUTPUT}" written)
    message(FATAL_ERROR "${OUTPUT} differs from ${EXPECTED}:\n${written}")
  endif()
endif()
if(DEFINED MAGIC)
  string(LENGTH "${MAGIC}" hexLength)
  math(EXPR byteCount "${hexLength} / 2")
  file(READ "${OUTPUT}" head LIMIT ${byteCount} HEX)
  if(NOT head STREQUAL "${MAGIC}")
    message(FATAL_ERROR "${OUTPUT} begins with ${head}, expected ${MAGIC}")
  endif()
endif()
if(DEFINED REEXPORT)
  file(REMOVE "${REEXPORT}")
  execute_process(COMMAND "${PROGRAM}" "${OUTPUT}" "--export-filename=${REEXPORT}"
    RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "exporting ${OUTPUT} again failed with ${status}: ${err}")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${REEXPORT}"
    RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${REEXPORT} differs from ${OUTPUT}")
  endif()
endif()
