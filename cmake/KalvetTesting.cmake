# GoogleTest: Debian's package natively; built from its sources for the cross builds, where no
# prebuilt library for the target exists, and for a native build with another C++ library than
# the one Debian's is built with (KALVET_LIBSTDCXX, CMakeLists.txt).
#
# Without it the tests are left out, with a warning, and the program still builds: running
# Kalvet needs no test framework (scripts/install-deps.sh run installs none). The test presets
# fail on finding no tests, so a test run without GoogleTest cannot pass as if it had tested.
if(CMAKE_CROSSCOMPILING OR NOT KALVET_LIBSTDCXX)
  set(KALVET_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources, built with the project")
  set(KALVET_HAVE_GTEST FALSE)
  if(EXISTS ${KALVET_GTEST_SOURCE}/CMakeLists.txt)
    set(KALVET_HAVE_GTEST TRUE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    if(EMSCRIPTEN)
      # One thread under node; GoogleTest's locks would want a threaded WebAssembly build.
      set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    endif()
    add_subdirectory(${KALVET_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Its code is not held to Kalvet's warnings: GCC 12 sees a -Wrestrict in it, for 32-bit
    # x86, that is not there.
    target_compile_options(gtest PRIVATE -w)
    target_compile_options(gtest_main PRIVATE -w)
  endif()
else()
  find_package(GTest)
  set(KALVET_HAVE_GTEST ${GTest_FOUND})
endif()
include(GoogleTest)
if(NOT KALVET_HAVE_GTEST)
  message(WARNING "GoogleTest is missing (packages libgtest-dev and googletest): the tests are not "
                  "built. `bash scripts/install-deps.sh` installs what the tests need.")
  return()
endif()

# Whether the emulator can start here at all. A 32-bit wine cannot where the kernel runs no
# 32-bit programs (its ia32 emulation switched off), nor where it could not be installed: the
# test programs are then still built, and every test that needs the emulator reports itself
# skipped, with the reason, instead of failing on the loader. The win64 preset runs the same
# tests under a 64-bit wine.
set(KALVET_EMULATOR_PROBLEM "")
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --version
                  RESULT_VARIABLE _kalvet_emulator_status OUTPUT_QUIET ERROR_VARIABLE _kalvet_emulator_error)
  if(NOT _kalvet_emulator_status EQUAL 0)
    string(STRIP "${_kalvet_emulator_error}" _kalvet_emulator_error)
    set(KALVET_EMULATOR_PROBLEM "this machine cannot start the emulator (${_kalvet_emulator_error})")
    if(WIN32)
      string(APPEND KALVET_EMULATOR_PROBLEM
             "; a 32-bit wine needs the package wine32:i386 and the kernel's ia32 emulation")
    endif()
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
# (wine, node for the WebAssembly build, qemu-user for another processor's Linux) the program
# runs once as one test, since listing its cases would start the emulator at build time.
# PROPERTIES are set on a native program's tests.
function(kalvet_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(EMSCRIPTEN)
    # Node must hand the program's exit code back, and GoogleTest's output needs more memory
    # than the default fixed heap.
    target_link_options(${name} PRIVATE -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
    kalvet_add_emulated_test(${name} COMMAND ${name})
  elseif(CMAKE_CROSSCOMPILING)
    kalvet_add_emulated_test(${name} COMMAND ${name})
    if(WIN32)
      set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES ${ARG_PROPERTIES})
  endif()
endfunction()

if(WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR)
  # Make the wine prefix once, before any test program runs in it, so parallel tests do not
  # race to create it.
  kalvet_add_emulated_test(wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
endif()
