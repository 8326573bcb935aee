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
# Static runtime: the program needs no DLL that Windows does not ship. Unused functions of the
# static runtime are dropped at link time: a smaller program file. (The 32-bit build's SSE2
# arithmetic is set for every 32-bit x86 build in CMakeLists.txt.)
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--dynamicbase -Wl,--nxcompat -Wl,--gc-sections")
