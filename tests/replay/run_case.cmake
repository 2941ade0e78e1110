# Run tavix-replay on one case and compare its output with the expected file.
# -DREPLAY=tool -DEMULATOR=optional -DCASE=path/name (without extension) -DOUT=file
file(READ ${CASE}.args args)
string(STRIP "${args}" args)
separate_arguments(args)
# "{case}" in the arguments stands for the case's path without extension (its
# .host file and others beside it); without it the .host file comes last.
if(args MATCHES "{case}")
  string(REPLACE "{case}" "${CASE}" args "${args}")
  set(host "")
else()
  set(host ${CASE}.host)
endif()
execute_process(COMMAND ${EMULATOR} ${REPLAY} ${args} ${host}
                OUTPUT_FILE ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tavix-replay exited with ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${CASE}.expected RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  file(READ ${OUT} got)
  message(FATAL_ERROR "output differs from ${CASE}.expected; got:\n${got}")
endif()
