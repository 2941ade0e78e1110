# A missing input file: a message on standard error and exit status 2.
execute_process(COMMAND ${EMULATOR} ${REPLAY} no-such-file.host
                RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "exit status ${rc}, expected 2")
endif()
if(NOT err MATCHES "no-such-file.host")
  message(FATAL_ERROR "no message naming the file on standard error: '${err}'")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "unexpected output: ${out}")
endif()

# Key lists that are not decimal codes separated by commas: the usage, status 2.
foreach(keys "x" "27," "1,,2" "")
  execute_process(COMMAND ${EMULATOR} ${REPLAY} --key "${keys}"
                  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 2 OR NOT err MATCHES "usage")
    message(FATAL_ERROR "--key '${keys}': exit status ${rc}, expected 2 with the usage")
  endif()
endforeach()
