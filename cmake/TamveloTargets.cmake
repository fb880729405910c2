# Small helpers so that each folder's CMakeLists.txt stays a few lines.

# tamvelo_library(<name> SOURCES <files...> [DEPS <targets/libs...>])
# A static library whose headers are included as "<folder>/<header>.h"
# from the repository root.
function(tamvelo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tamvelo_test(<name> SOURCES <files...> [DEPS <targets/libs...>] [TIMEOUT <s>])
# A GoogleTest executable run by ctest under Wine (see CMAKE_CROSSCOMPILING_EMULATOR).
function(tamvelo_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()
