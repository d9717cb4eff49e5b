# Runs tarvex with DISPLAY, WAYLAND_DISPLAY, XDG_SESSION_TYPE and QT_QPA_PLATFORM unset:
#   cmake -DTARVEX=build/tarvex -DVERSION=2.0 -P ligne_de_commande.cmake
# --help and --version answer without a display; an unknown option or any other argument is
# refused with the usage (status 2); without a usable display, one line and status 1.
foreach(var TARVEX VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ligne_de_commande.cmake: ${var} is not set")
  endif()
endforeach()

# lancer(STATUS [NAME=VALUE...] -- ARG...): runs tarvex, checks its exit status and leaves
# its standard output and error in `sortie` and `erreurs`.
function(lancer attendu)
  list(FIND ARGN "--" separateur)
  list(SUBLIST ARGN 0 ${separateur} environnement)
  math(EXPR debut "${separateur} + 1")
  set(arguments "")
  list(LENGTH ARGN n)
  if(debut LESS n)
    list(SUBLIST ARGN ${debut} -1 arguments)
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=XDG_SESSION_TYPE --unset=QT_QPA_PLATFORM ${environnement}
            ${TARVEX} ${arguments}
    RESULT_VARIABLE statut OUTPUT_VARIABLE sortie ERROR_VARIABLE erreurs TIMEOUT 20)
  if(NOT statut STREQUAL attendu)
    message(FATAL_ERROR "tarvex ${arguments} (${environnement}): status ${statut} instead of "
                        "${attendu}\nstdout: ${sortie}\nstderr: ${erreurs}")
  endif()
  set(sortie "${sortie}" PARENT_SCOPE)
  set(erreurs "${erreurs}" PARENT_SCOPE)
endfunction()

function(attendre texte motif)
  if(NOT texte MATCHES "${motif}")
    message(FATAL_ERROR "expected /${motif}/ in:\n${texte}")
  endif()
endfunction()

lancer(0 -- --help)
attendre("${sortie}" "^Utilisation : tarvex \\[options\\]\n.*-v, --version +Affiche la version")
lancer(0 -- -h)
attendre("${sortie}" "^Utilisation : tarvex")
lancer(0 -- --version)
attendre("${sortie}" "^tarvex ${VERSION}\n$")
# Qt's own options are left to Qt, not refused.
lancer(0 -- -style Fusion -session abc -v)
attendre("${sortie}" "^tarvex ${VERSION}\n$")

lancer(2 -- --inconnue)
attendre("${erreurs}" "^tarvex : option inconnue « --inconnue »\n\nUtilisation : tarvex")
# The calculator takes nothing from the command line.
lancer(2 -- 3 4 +)
attendre("${erreurs}" "^tarvex : argument inattendu « 3 »")

lancer(1 --)
attendre("${erreurs}" "^tarvex : aucun affichage graphique[^\n]*\n$")
# A Wayland session that cannot be reached: named, whether Qt's Wayland module is there or not.
lancer(1 WAYLAND_DISPLAY=tarvex-absent --)
attendre("${erreurs}" "^tarvex : [^\n]*Wayland « tarvex-absent »[^\n]*\n$")
lancer(1 DISPLAY=:65533 --)
attendre("${erreurs}" "^tarvex : l'affichage « :65533 » refuse la connexion[^\n]*\n$")
