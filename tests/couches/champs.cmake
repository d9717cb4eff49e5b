# cmake -DCXX=COMPILER -DVOCABULAIRE=src/vocabulaire -DDOSSIER=SCRATCH -P champs.cmake: the state
# record's list of fields (ChampsEtat) cannot forget a field. A 16-bit field added after
# ModeRadian fits into the padding before the sums, so the record's size does not change; a
# source that includes the record must still stop with the list's message. The record as it is
# must compile, so that the failure is the field's.
file(READ ${VOCABULAIRE}/core/Etat.h etat)
set(champ "    Booleen16 ModeRadian = Vrai;\n")
string(FIND "${etat}" "${champ}" position)
if(position EQUAL -1)
  message(FATAL_ERROR "core/Etat.h has no line \"${champ}\": write the test again for the record")
endif()
string(REPLACE "${champ}" "${champ}    std::int16_t Ajout = 0;\n" etat_ajout "${etat}")
file(WRITE ${DOSSIER}/ajout/core/Etat.h "${etat_ajout}")
file(WRITE ${DOSSIER}/sonde.cpp "#include \"core/Etat.h\"\n")

execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only -I${VOCABULAIRE} ${DOSSIER}/sonde.cpp
                RESULT_VARIABLE statut ERROR_VARIABLE erreurs)
if(NOT statut EQUAL 0)
  message(FATAL_ERROR "the record as it is does not compile:\n${erreurs}")
endif()
execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only -I${DOSSIER}/ajout -I${VOCABULAIRE}
                        ${DOSSIER}/sonde.cpp
                RESULT_VARIABLE statut ERROR_VARIABLE erreurs)
if(statut EQUAL 0 OR NOT erreurs MATCHES "EtatCalculatrice and ChampsEtat differ")
  message(FATAL_ERROR "a field added to the record and not to ChampsEtat compiles:\n${erreurs}")
endif()
