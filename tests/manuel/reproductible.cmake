# Lays the manual out twice, a second apart and under two time zones, and checks that both
# PDFs are the same bytes, dated SOURCE_DATE_EPOCH:
#   cmake -DMANUEL=tarvex-manuel -DSOURCE=manuel.html -DDOSSIER=scratch -P reproductible.cmake
foreach(var MANUEL SOURCE DOSSIER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "reproductible.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${DOSSIER}")
set(pdfs "")
foreach(essai IN ITEMS "1:Europe/Paris" "2:America/New_York")
  string(REPLACE ":" ";" essai "${essai}")
  list(GET essai 0 n)
  list(GET essai 1 fuseau)
  set(pdf "${DOSSIER}/manuel-${n}.pdf")
  # No QT_HASH_SEED here: the tool must fix the seed of Qt's hashes itself.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=QT_HASH_SEED QT_QPA_PLATFORM=offscreen
            SOURCE_DATE_EPOCH=946684800 TZ=${fuseau} "${MANUEL}" "${SOURCE}" "${pdf}"
    RESULT_VARIABLE statut ERROR_VARIABLE erreurs)
  if(NOT statut EQUAL 0)
    message(FATAL_ERROR "tarvex-manuel failed (${statut}): ${erreurs}")
  endif()
  list(APPEND pdfs "${pdf}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${pdfs} RESULT_VARIABLE difference)
if(NOT difference EQUAL 0)
  message(FATAL_ERROR "two layouts of the manual differ: ${pdfs}")
endif()
file(STRINGS "${DOSSIER}/manuel-1.pdf" dates REGEX "/CreationDate")
if(NOT dates MATCHES "^/CreationDate \\(D:20000101000000Z\\)$")
  message(FATAL_ERROR "the manual is not dated SOURCE_DATE_EPOCH (2000-01-01): ${dates}")
endif()
