# SPDX-License-Identifier: MIT
# Compiles and links with Debian's hardening flags as dpkg-buildflags gives
# them for hardening=+all: stack protector, fortified libc calls, format
# checks, read-only relocations bound at start-up. The optimisation and debug
# flags stay with the build type, and the path mapping with Reproducible.cmake.
# The sanitizer and fuzz builds keep their own instrumentation, and a debug
# build has no optimisation for the fortified calls to rely on.
option(RINGTAFEL_HARDENING "Compile and link with the hardening flags of dpkg-buildflags" ON)

if(RINGTAFEL_HARDENING AND NOT RINGTAFEL_SANITIZE AND NOT RINGTAFEL_FUZZ
   AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  find_program(DPKG_BUILDFLAGS dpkg-buildflags)
  if(DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${DPKG_BUILDFLAGS} --get ${kind}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
      separate_arguments(flags UNIX_COMMAND "${flags}")
      list(FILTER flags EXCLUDE REGEX "^-(g|O.*|ffile-prefix-map=.*)$")
      if(kind STREQUAL "LDFLAGS")
        add_link_options(${flags})
      else()
        add_compile_options(${flags})
      endif()
      list(APPEND RINGTAFEL_HARDENING_FLAGS ${flags})
    endforeach()
    list(JOIN RINGTAFEL_HARDENING_FLAGS " " shown)
    message(STATUS "Hardening flags from dpkg-buildflags: ${shown}")
  else()
    message(WARNING "dpkg-buildflags not found (package dpkg-dev): building without hardening flags")
  endif()
endif()
