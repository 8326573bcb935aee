# Windows with mingw-w64's -posix compilers (GoogleTest needs std::mutex), for the processor
# that KALVET_MINGW_TARGET names (i686 or x86_64); included by the two toolchain files.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KALVET_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${KALVET_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALVET_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${KALVET_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KALVET_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# SSE2 arithmetic, not the x87 unit: x87's extended precision would change results in the
# last digit (64-bit processors always use SSE2). Static runtime: the program needs no DLL
# that Windows does not ship. Unused functions of the static runtime are dropped at link time:
# a smaller program file.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -ffunction-sections -fdata-sections")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--dynamicbase -Wl,--nxcompat -Wl,--gc-sections")
