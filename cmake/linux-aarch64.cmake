# 64-bit ARM Linux.
set(KALVET_CROSS_TARGET aarch64-linux-gnu)
set(KALVET_CROSS_PROCESSOR aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
