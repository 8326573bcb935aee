# 32-bit Windows: the program Kalvet ships.
set(KALVET_MINGW_TARGET i686-w64-mingw32)
set(KALVET_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
