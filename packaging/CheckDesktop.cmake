# Checks the desktop entry: desktop-file-validate says nothing but the one hint that the
# entry is meant to draw (two main categories, Utility and Science, so that the calculator
# is listed among the accessories and among the sciences), and every text a desktop shows
# has its untranslated value, read by every language without a translation here, apart from
# its French one. Run by CTest (packaging_desktop_entry_valid):
#   cmake -DVALIDATE=desktop-file-validate -DENTRY=org.example.tarvex.desktop -P CheckDesktop.cmake
foreach(var VALIDATE ENTRY)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckDesktop.cmake: ${var} is not set")
  endif()
endforeach()

execute_process(COMMAND "${VALIDATE}" "${ENTRY}" RESULT_VARIABLE statut
                OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
string(REGEX REPLACE "[^\n]*hint: value \"[^\"]*\" for key \"Categories\"[^\n]*contains more than one main category[^\n]*\n?"
       "" reste "${sortie}")
if(NOT statut EQUAL 0 OR NOT reste STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate (status ${statut}):\n${sortie}")
endif()

file(STRINGS "${ENTRY}" lignes ENCODING UTF-8)
foreach(cle GenericName Comment Keywords)
  set(neutre "")
  set(francais "")
  foreach(ligne IN LISTS lignes)
    if(ligne MATCHES "^${cle}=(.+)$")
      set(neutre "${CMAKE_MATCH_1}")
    elseif(ligne MATCHES "^${cle}\\[fr\\]=(.+)$")
      set(francais "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(neutre STREQUAL "" OR francais STREQUAL "" OR neutre STREQUAL francais)
    message(FATAL_ERROR "${cle}: an untranslated (English) value and a different [fr] one "
                        "are both needed (\"${neutre}\", \"${francais}\")")
  endif()
endforeach()
