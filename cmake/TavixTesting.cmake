# Test helpers for every folder of the tree.
#
# tavix_add_gtest(NAME SOURCES... LIBS lib... [PROPERTIES prop value...])
#   Builds a GoogleTest executable (linked with gtest_main) and registers each of its tests
#   with ctest. Cross builds run it through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
#   PROPERTIES are set on every discovered test (e.g. TIMEOUT 30, ENVIRONMENT ...).
#
# tavix_add_test(NAME name COMMAND cmd args... [WORKING_DIRECTORY dir])
#   add_test() for tests that are not GoogleTest programs (scripts, end-to-end runs);
#   skipped where tests cannot run, like the GoogleTest ones.
#
# TAVIX_TESTS=OFF builds no tests at all. TAVIX_RUN_TESTS=OFF builds the test programs but
# registers nothing with ctest: the default for a cross build without an emulator (32-bit
# Windows here, which this machine cannot execute), where compiling and linking is the check.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(_tavix_can_run_tests OFF)
else()
  set(_tavix_can_run_tests ON)
endif()
option(TAVIX_RUN_TESTS "Register the test programs with ctest (OFF: build them only)"
       ${_tavix_can_run_tests})

# Per-test time limit: a hung test (a Wine program waiting on a window, say) must not eat
# the whole CI budget.
set(TAVIX_TEST_TIMEOUT 120 CACHE STRING "Default ctest time limit of each test, in seconds")

if(TAVIX_TESTS)
  enable_testing()
  if(CMAKE_CROSSCOMPILING OR NOT EXISTS /usr/lib/x86_64-linux-gnu/libgtest.a)
    if(NOT TARGET gtest)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
      add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
    set(TAVIX_GTEST_LIBS gtest gtest_main)
  else()
    find_package(GTest REQUIRED)
    set(TAVIX_GTEST_LIBS GTest::gtest GTest::gtest_main)
  endif()
  include(GoogleTest)
endif()

function(tavix_add_gtest name)
  if(NOT TAVIX_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${TAVIX_GTEST_LIBS})
  if(TAVIX_RUN_TESTS)
    # PRE_TEST: the list is read when ctest runs, so a cross build never runs Wine at build time.
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT ${TAVIX_TEST_TIMEOUT} ${T_PROPERTIES})
  endif()
endfunction()

function(tavix_add_test)
  if(NOT TAVIX_TESTS OR NOT TAVIX_RUN_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "NAME;WORKING_DIRECTORY" "COMMAND" ${ARGN})
  if(T_WORKING_DIRECTORY)
    add_test(NAME ${T_NAME} COMMAND ${T_COMMAND} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_COMMAND})
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${TAVIX_TEST_TIMEOUT})
endfunction()
