# 32-bit x86 Linux, the processor of a distribution's i386 build.
set(KALVET_CROSS_TARGET i686-linux-gnu)
set(KALVET_CROSS_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
