# GoogleTest: Debian's package natively; built from its sources for the Windows cross build,
# where no prebuilt library for the target exists.
if(CMAKE_CROSSCOMPILING)
  set(KALVET_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KALVET_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# Whether the emulator can start here at all. A 32-bit wine cannot where the kernel runs no
# 32-bit programs (its ia32 emulation switched off): the test programs are then still built,
# and every test that needs the emulator reports itself skipped, with the reason, instead of
# failing on the loader. The win64 preset runs the same tests under a 64-bit wine.
set(KALVET_EMULATOR_PROBLEM "")
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --version
                  RESULT_VARIABLE _kalvet_emulator_status OUTPUT_QUIET ERROR_VARIABLE _kalvet_emulator_error)
  if(NOT _kalvet_emulator_status EQUAL 0)
    string(STRIP "${_kalvet_emulator_error}" _kalvet_emulator_error)
    set(KALVET_EMULATOR_PROBLEM
        "this machine cannot start the emulator (${_kalvet_emulator_error}); a 32-bit wine needs the kernel's ia32 emulation")
    message(WARNING "Tests that need the emulator will be skipped: ${KALVET_EMULATOR_PROBLEM}")
  endif()
endif()

# add_test for a test that runs a program under the emulator: the test itself where the
# emulator starts, otherwise one that says why it is skipped.
function(kalvet_add_emulated_test name)
  if(KALVET_EMULATOR_PROBLEM STREQUAL "")
    add_test(NAME ${name} ${ARGN})
  else()
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "SKIPPED: ${KALVET_EMULATOR_PROBLEM}")
    set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED: ")
  endif()
endfunction()

# One test program per unit. Natively every case is its own CTest test; under the emulator
# the program runs once as one test, since listing its cases would start wine at build time.
function(kalvet_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    kalvet_add_emulated_test(${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()

if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  # Make the wine prefix once, before any test program runs in it, so parallel tests do not
  # race to create it.
  kalvet_add_emulated_test(wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
endif()
