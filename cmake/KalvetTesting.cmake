# GoogleTest: Debian's package natively; built from its sources for the Windows cross build,
# where no prebuilt library for the target exists.
if(CMAKE_CROSSCOMPILING)
  set(KALVET_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  if(EMSCRIPTEN)
    # One thread under node; GoogleTest's locks would want a threaded WebAssembly build.
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  add_subdirectory(${KALVET_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# One test program per unit. Natively every case is its own CTest test; under the emulator
# (wine, or node for the WebAssembly build) the program runs once as one test, since listing
# its cases would start the emulator at build time.
function(kalvet_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(EMSCRIPTEN)
    # Node must hand the program's exit code back, and GoogleTest's output needs more memory
    # than the default fixed heap.
    target_link_options(${name} PRIVATE -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
    add_test(NAME ${name} COMMAND ${name})
  elseif(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()

if(WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR)
  # Make the wine prefix once, before any test program runs in it, so parallel tests do not
  # race to create it.
  add_test(NAME wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
endif()
