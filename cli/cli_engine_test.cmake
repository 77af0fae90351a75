# ovilan-cli's engine commands from outside: the batch formats to the byte, exit codes, usage.

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
