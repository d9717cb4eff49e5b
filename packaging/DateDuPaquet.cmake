# Read by cpack before it builds a package (CPACK_PROJECT_CONFIG_FILE): the package's dates
# are the build's (TARVEX_SOURCE_DATE_EPOCH), unless SOURCE_DATE_EPOCH is already set.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND CPACK_TARVEX_SOURCE_DATE_EPOCH)
  set(ENV{SOURCE_DATE_EPOCH} "${CPACK_TARVEX_SOURCE_DATE_EPOCH}")
endif()
