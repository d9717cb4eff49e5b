# cmake -DSCENARIOS=DIR -DCORPUS=DIR -P corpus.cmake: the seed corpus of the fuzz target, one
# script per scenario file with its `=` and `!` lines blanked (as the scenario runner does).
file(GLOB_RECURSE fichiers RELATIVE ${SCENARIOS} ${SCENARIOS}/*.scn)
file(REMOVE_RECURSE ${CORPUS})
foreach(fichier IN LISTS fichiers)
  file(READ ${SCENARIOS}/${fichier} texte)
  string(REGEX REPLACE "(^|\n)[ \t]*[=!][^\n]*" "\\1" texte "${texte}")
  string(REPLACE "/" "_" nom ${fichier})
  file(WRITE ${CORPUS}/${nom} "${texte}")
endforeach()
