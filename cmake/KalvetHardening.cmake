# Exploit mitigations for native Linux release builds: position-independent executables (so
# ASLR moves the program too), relocations made read-only and bound before main, stack canaries,
# and glibc's checked variants of memory and string calls. The 32-bit Windows build gets ASLR
# and DEP from its linker flags in cmake/mingw.cmake.
#
# Sanitizer and fuzz builds are left alone: their runtimes bring stronger checks of their own,
# and _FORTIFY_SOURCE's wrappers would route calls around ASan's interceptors.
option(KALVET_HARDENING "Harden native Linux release builds" ON)

set(_kalvet_release_configs Release RelWithDebInfo MinSizeRel)
# A distribution's build (debhelper configures build type None) takes its optimisation from
# the distribution's CXXFLAGS: when they optimise, it is hardened as a release build is.
# (Debian's noopt, -O0, is left as it is: _FORTIFY_SOURCE cannot work without optimising.)
if(CMAKE_BUILD_TYPE STREQUAL "None" AND CMAKE_CXX_FLAGS MATCHES "(^| )-O([1-3sz]|fast)?( |$)")
  list(APPEND _kalvet_release_configs None)
endif()
get_property(_kalvet_multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)

if(NOT KALVET_HARDENING
   OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux"
   OR CMAKE_CROSSCOMPILING
   OR CMAKE_CXX_FLAGS MATCHES "-fsanitize="
   OR KALVET_BUILD_FUZZ
   OR NOT (_kalvet_multi_config OR CMAKE_BUILD_TYPE IN_LIST _kalvet_release_configs))
  return()
endif()

include(CheckPIESupported)
check_pie_supported(OUTPUT_VARIABLE _kalvet_pie_log LANGUAGES CXX)
if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
  message(FATAL_ERROR "The linker cannot make position-independent executables:\n${_kalvet_pie_log}")
endif()
# Before any target exists, so every library is compiled -fPIE and every program linked -pie.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# _FORTIFY_SOURCE only works when optimising, which every release configuration does; it is
# undefined first so a compiler that presets another level does not warn about a redefinition.
list(JOIN _kalvet_release_configs "," _kalvet_release)
set(_kalvet_release "$<CONFIG:${_kalvet_release}>")
add_compile_options("$<${_kalvet_release}:-fstack-protector-strong>"
                    "$<${_kalvet_release}:-U_FORTIFY_SOURCE>"
                    "$<${_kalvet_release}:-D_FORTIFY_SOURCE=2>")
add_link_options("$<${_kalvet_release}:LINKER:-z,relro,-z,now>")
