# Warnings are errors in our own code; results must not depend on fused multiply-add.
function(ovilan_target_defaults target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Werror
    -ffp-contract=off)
  # GCC 12 reports a false -Wrestrict inside std::string assignments at -O3 (GCC bug 105651).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# A GoogleTest binary beside the code it tests, registered with CTest once.
function(ovilan_add_test name)
  add_executable(${name} ${ARGN})
  ovilan_target_defaults(${name})
  target_link_libraries(${name} PRIVATE GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
