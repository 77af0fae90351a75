# ovilan-cli from outside: the batch formats to the byte, exit codes, usage, documents.

function(run_cli expected_status expected_output input)
  set(options ${ARGN})
  if(input)
    execute_process(COMMAND ${CLI} ${options} INPUT_FILE ${input}
      OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  else()
    execute_process(COMMAND ${CLI} ${options}
      OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  endif()
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "ovilan-cli ${options}: exit ${status}, expected ${expected_status}\n${errors}")
  endif()
  if(NOT "${expected_output}" STREQUAL "<any>" AND NOT output STREQUAL expected_output)
    message(FATAL_ERROR "ovilan-cli ${options}:\n--- got\n${output}--- expected\n${expected_output}")
  endif()
  set(last_errors "${errors}" PARENT_SCOPE)
endfunction()

set(tab "\t")
file(READ ${SOURCE_DIR}/testdata/formula_batch.expected batch_expected)
run_cli(0 "${batch_expected}" ${SOURCE_DIR}/testdata/formula_batch.in formula --batch)

run_cli(0 "0${tab}2*x^2\n" "" formula --var x -- 2x^2)
run_cli(0 "0${tab}x*sin(x)\n" "" formula -- x sin "(x)")
run_cli(1 "4${tab}Argument is not defined\n" "" formula --var t -- "sin t")
run_cli(1 "7${tab}Denominator is equal to zero\n" "" formula --var " " -- "1/(2-2)")

file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/numbers.in "3.141592653589793\n12345678901\n0.00001\n-1.5e20\n0\nnot a number\n1e11\n")
run_cli(1 "3.141592654\n1.23456789*10^10\n1*10^(-5)\n-1.5*10^20\n0\n\n1*10^11\n"
  ${CMAKE_CURRENT_BINARY_DIR}/numbers.in number --batch)
if(NOT last_errors MATCHES "line 6")
  message(FATAL_ERROR "a bad number line is not reported: ${last_errors}")
endif()
run_cli(0 "2.5*10^(-7)\n" "" number 2.5e-7)

# Anything else is a usage error.
run_cli(2 "" "" frobnicate)
run_cli(2 "" "" formula --var xy -- x)
run_cli(2 "" "" formula --colour red)
run_cli(2 "" "")
if(NOT last_errors MATCHES "usage:")
  message(FATAL_ERROR "no usage text: ${last_errors}")
endif()

# Documents: a converted example is byte-identical, a damaged one is refused with the message.
set(converted ${CMAKE_CURRENT_BINARY_DIR}/converted.ovd)
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${converted})
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXAMPLES}/gallery.ovd ${converted}
  RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "converting gallery.ovd changed its bytes")
endif()
run_cli(0 "<any>" "" info ${EXAMPLES}/gallery.ovd)
run_cli(0 "graph,index,x,y,penUp\n5,0,-8,-6,1\n5,1,-6,-3,0\n5,2,-4,-5,0\n5,3,-2,-1,0\n5,4,0,-2.5,0\n" ""
  trace ${EXAMPLES}/gallery.ovd --graph 5)
set(truncated ${CMAKE_CURRENT_BINARY_DIR}/truncated.ovd)
execute_process(COMMAND ${CMAKE_COMMAND} -E copy ${EXAMPLES}/gallery.ovd ${truncated})
# Cut the copy to its first 200 bytes.
execute_process(COMMAND truncate -s 200 ${truncated} RESULT_VARIABLE cut)
if(NOT cut EQUAL 0)
  message(FATAL_ERROR "truncate failed")
endif()
run_cli(1 "" "" info ${truncated})
if(NOT last_errors STREQUAL "Unexpected file format.\n")
  message(FATAL_ERROR "a truncated document gave: ${last_errors}")
endif()
run_cli(1 "" "" info ${CMAKE_CURRENT_BINARY_DIR}/no-such-file.ovd)
if(NOT last_errors STREQUAL "Failed to open document.\n")
  message(FATAL_ERROR "a missing document gave: ${last_errors}")
endif()
