# 64-bit Windows: the same program and tests, for running the tests under a 64-bit wine on
# machines whose kernel cannot run 32-bit programs.
set(KALVET_MINGW_TARGET x86_64-w64-mingw32)
set(KALVET_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
