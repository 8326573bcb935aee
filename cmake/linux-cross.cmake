# Linux on another processor, with Debian's cross compiler for KALVET_CROSS_TARGET (the
# packages g++-i686-linux-gnu and g++-aarch64-linux-gnu); included by the two toolchain files.
# Only the target's own libraries are looked for, so the host's Qt is not taken for the
# target's: the core and its tests are built, the Qt program is left out. Programs are linked
# statically, so that qemu-user runs them without the target's shared libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${KALVET_CROSS_PROCESSOR})
set(CMAKE_C_COMPILER ${KALVET_CROSS_TARGET}-gcc)
set(CMAKE_CXX_COMPILER ${KALVET_CROSS_TARGET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${KALVET_CROSS_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
