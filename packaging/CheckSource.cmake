# Builds the Debian source package (debian/, format 3.0 (native)) from the files git tracks
# or would track, in a scratch directory, and runs lintian on its .dsc. Run by CTest
# (packaging_lintian_source):
#   cmake -DSOURCE_DIR=... -DGIT=git -DDPKG_SOURCE=dpkg-source -DLINTIAN=lintian
#         -DWORK_DIR=... -P CheckSource.cmake
# Fails on any error, warning or information tag that debian/source/lintian-overrides does
# not explain.
foreach(var SOURCE_DIR GIT DPKG_SOURCE LINTIAN WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckSource.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" ls-files --cached --others --exclude-standard
                RESULT_VARIABLE rc OUTPUT_VARIABLE fichiers)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "git ls-files failed (${rc}) in ${SOURCE_DIR}")
endif()
string(STRIP "${fichiers}" fichiers)
string(REPLACE "\n" ";" fichiers "${fichiers}")
foreach(f IN LISTS fichiers)
  # A build directory inside the tree is not ignored by every clone's .gitignore.
  if(NOT IS_DIRECTORY "${SOURCE_DIR}/${f}" AND EXISTS "${SOURCE_DIR}/${f}"
     AND NOT f MATCHES "^(build|obj-)")
    get_filename_component(dossier "${WORK_DIR}/tarvex/${f}" DIRECTORY)
    file(COPY "${SOURCE_DIR}/${f}" DESTINATION "${dossier}")
  endif()
endforeach()

execute_process(COMMAND "${DPKG_SOURCE}" -b tarvex WORKING_DIRECTORY "${WORK_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB dscs "${WORK_DIR}/*.dsc")
list(LENGTH dscs n)
if(NOT rc EQUAL 0 OR NOT n EQUAL 1)
  message(FATAL_ERROR "dpkg-source failed (${rc}, ${n} .dsc):\n${out}")
endif()

execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --display-info ${dscs}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("lintian ${dscs}:\n${out}")
if(NOT rc EQUAL 0 OR out MATCHES "(^|\n)[EWI]: ")
  message(FATAL_ERROR "lintian is not satisfied (status ${rc}) ${err}")
endif()
