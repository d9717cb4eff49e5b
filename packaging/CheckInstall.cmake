# Installs the build tree into a scratch prefix and checks that the desktop integration
# lands where desktop environments look for it. Run by CTest (packaging_install_tree):
#   cmake -DBINARY_DIR=... -DPREFIX=... -DAPP_ID=... -DICON_SIZES=16,32,... -DWITH_BINARY=ON|OFF
#         -P CheckInstall.cmake
foreach(var BINARY_DIR PREFIX APP_ID ICON_SIZES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckInstall.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
include(${CMAKE_CURRENT_LIST_DIR}/GardeManifeste.cmake)
tarvex_sans_manifeste("${BINARY_DIR}" rc out
  "${CMAKE_COMMAND}" --install "${BINARY_DIR}" --prefix "${PREFIX}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

set(expected
  share/applications/${APP_ID}.desktop
  share/icons/hicolor/scalable/apps/${APP_ID}.svg
  share/metainfo/${APP_ID}.metainfo.xml
  share/man/man1/tarvex.1.gz
  share/man/fr/man1/tarvex.1.gz
  share/doc/tarvex/copyright
  share/doc/tarvex/changelog.gz
  share/doc/tarvex/manuel.pdf)
string(REPLACE "," ";" ICON_SIZES "${ICON_SIZES}")
foreach(taille IN LISTS ICON_SIZES)
  list(APPEND expected share/icons/hicolor/${taille}x${taille}/apps/${APP_ID}.png)
endforeach()
if(WITH_BINARY)
  list(APPEND expected bin/tarvex)
endif()

set(missing "")
foreach(f IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${f}")
    list(APPEND missing "${f}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed under ${PREFIX}: ${missing}")
endif()

# The desktop entry must start the installed program and name the installed icon.
file(READ "${PREFIX}/share/applications/${APP_ID}.desktop" entry)
# (Each line is checked on its own: a list would split the semicolons of Categories.)
macro(tarvex_expect_line line)
  string(FIND "${entry}" "\n${line}\n" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${APP_ID}.desktop lacks the line ${line}")
  endif()
endmacro()
tarvex_expect_line("Name=Tarvex")
tarvex_expect_line("Exec=tarvex")
tarvex_expect_line("Icon=${APP_ID}")

message(STATUS "installed under ${PREFIX}: ${expected}")
