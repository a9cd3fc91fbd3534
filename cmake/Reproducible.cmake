# SPDX-License-Identifier: MIT
# The same commit gives the same package, byte for byte, wherever and whenever
# it is built: one time stamp for everything that records one, and no path of
# the source or build tree in the program.
#
# The time stamp is SOURCE_DATE_EPOCH when set, else the time of the last
# commit, else (a tree without git, unpacked from an archive) the date of the
# change log's latest entry, as Debian's own packages take it.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(RINGTAFEL_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  set(RINGTAFEL_SOURCE_DATE_EPOCH "")
  find_package(Git QUIET)
  if(GIT_FOUND)
    # Only a repository of this very tree counts, not one it was unpacked into.
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel --git-path logs/HEAD
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE git_paths OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE git_status ERROR_QUIET)
    string(REPLACE "\n" ";" git_paths "${git_paths}")
    list(GET git_paths 0 git_top)
    file(REAL_PATH "${PROJECT_SOURCE_DIR}" source_real)
    if(git_status EQUAL 0 AND git_top STREQUAL source_real)
      execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE RINGTAFEL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      # A new commit or checkout configures again and takes its time.
      list(GET git_paths 1 head_log)
      if(EXISTS "${PROJECT_SOURCE_DIR}/${head_log}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${head_log}")
      elseif(EXISTS "${head_log}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${head_log}")
      endif()
    endif()
  endif()
  if(RINGTAFEL_SOURCE_DATE_EPOCH STREQUAL "")
    execute_process(COMMAND dpkg-parsechangelog -l ${PROJECT_SOURCE_DIR}/packaging/changelog -S Timestamp
      OUTPUT_VARIABLE RINGTAFEL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()
if(NOT RINGTAFEL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "No time stamp for the build: set SOURCE_DATE_EPOCH to seconds since 1970 "
                      "(found \"${RINGTAFEL_SOURCE_DATE_EPOCH}\")")
endif()
message(STATUS "Time stamp of the build (SOURCE_DATE_EPOCH): ${RINGTAFEL_SOURCE_DATE_EPOCH}")
# Rewritten only when it changes, for the steps that record it to depend on.
set(RINGTAFEL_SOURCE_DATE_EPOCH_FILE ${PROJECT_BINARY_DIR}/source-date-epoch)
file(CONFIGURE OUTPUT ${RINGTAFEL_SOURCE_DATE_EPOCH_FILE} CONTENT "${RINGTAFEL_SOURCE_DATE_EPOCH}\n")

# Compiled paths as Debian maps them: the source tree becomes ".", the build
# tree "build" (later maps win, and the build tree may lie in the source
# tree). The sanitizer and debug builds keep real paths for their reports and
# the debugger.
if(NOT RINGTAFEL_SANITIZE AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()

# Installed directories get the same mode whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
