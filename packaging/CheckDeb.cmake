# Builds the Debian package into a scratch directory and runs lintian on it. Run by CTest
# (packaging_lintian):
#   cmake -DBINARY_DIR=... -DCPACK=... -DLINTIAN=... -DWORK_DIR=... -P CheckDeb.cmake
# Fails on any error, warning or information tag that the package's own overrides do not
# explain (information tags include a missing BIND_NOW, unfortified libc calls, a .comment
# section left in the binary, a manual without its doc-base registration).
foreach(var BINARY_DIR CPACK LINTIAN WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckDeb.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
include(${CMAKE_CURRENT_LIST_DIR}/GardeManifeste.cmake)
tarvex_sans_manifeste("${BINARY_DIR}" rc out
  "${CPACK}" --config "${BINARY_DIR}/CPackConfig.cmake" -G DEB -B "${WORK_DIR}")
file(GLOB debs "${WORK_DIR}/*.deb")
list(LENGTH debs n)
if(NOT rc EQUAL 0 OR NOT n EQUAL 1)
  message(FATAL_ERROR "cpack failed (${rc}, ${n} package(s)):\n${out}")
endif()

execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --display-info
                        --no-tag-display-limit ${debs}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("lintian ${debs}:\n${out}")
if(NOT rc EQUAL 0 OR out MATCHES "(^|\n)[EWI]: ")
  message(FATAL_ERROR "lintian is not satisfied (status ${rc}) ${err}")
endif()
