# A release is recorded once, as the top entry of debian/changelog: its version is the
# project's, and the day in its sign-off line is the release date software centres and the
# manual page show. Read before project(), which takes the version.
#
# Sets KALVET_VERSION (for project()) and KALVET_RELEASE_DATE (YYYY-MM-DD).
set(_kalvet_changelog ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_kalvet_changelog})
file(READ ${_kalvet_changelog} _kalvet_changelog_text)

if(NOT _kalvet_changelog_text MATCHES "^kalvet \\(([^)]+)\\) ")
  message(FATAL_ERROR "debian/changelog does not begin with an entry for kalvet")
endif()
set(KALVET_VERSION ${CMAKE_MATCH_1})
# Debian would take "1.0.0+fix1"; project() would not, and the Windows version resource
# needs numbers alone.
if(NOT KALVET_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "debian/changelog's version ${KALVET_VERSION} is not MAJOR.MINOR.PATCH, "
                      "which the program's version and file names need")
endif()

# The first sign-off line is the top entry's: " -- NAME <EMAIL>  Mon, 07 Dec 2026 00:00:00 +0000".
if(NOT _kalvet_changelog_text MATCHES
   "\n -- [^\n]+>  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "debian/changelog's top entry has no sign-off line with a date")
endif()
set(_kalvet_day ${CMAKE_MATCH_1})
set(_kalvet_month_name ${CMAKE_MATCH_2})
set(_kalvet_year ${CMAKE_MATCH_3})
string(REGEX REPLACE "^0" "" _kalvet_day ${_kalvet_day})
set(_kalvet_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND _kalvet_months ${_kalvet_month_name} _kalvet_month)
if(_kalvet_month EQUAL -1)
  message(FATAL_ERROR "debian/changelog's top entry is dated in a month named ${_kalvet_month_name}")
endif()
math(EXPR _kalvet_month "${_kalvet_month} + 1")
foreach(part _kalvet_day _kalvet_month)
  if(${part} LESS 10)
    set(${part} 0${${part}})
  endif()
endforeach()
set(KALVET_RELEASE_DATE ${_kalvet_year}-${_kalvet_month}-${_kalvet_day})
