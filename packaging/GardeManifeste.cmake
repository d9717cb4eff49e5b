# Included by the packaging checks. `cmake --install` and cpack both rewrite
# build/install_manifest.txt, the list of a real installation that the README uses to
# uninstall it: a check runs its command with the user's manifest put aside and back.
#   tarvex_sans_manifeste(BINARY_DIR RC_VAR OUT_VAR COMMAND...)
function(tarvex_sans_manifeste binary_dir rc_var out_var)
  set(manifest "${binary_dir}/install_manifest.txt")
  if(EXISTS "${manifest}")
    file(RENAME "${manifest}" "${manifest}.kept")
  endif()
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(REMOVE "${manifest}")
  if(EXISTS "${manifest}.kept")
    file(RENAME "${manifest}.kept" "${manifest}")
  endif()
  set(${rc_var} "${rc}" PARENT_SCOPE)
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()
