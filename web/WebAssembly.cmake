# The WebAssembly build: the vocabulary, the calculator, the session, tarvex-replay and the
# bench for node, and the web front end (web/CMakeLists.txt), with Debian's Emscripten and
# node. Nothing of Qt: not the window, nor the tool that lays the manual out (its PDF comes
# from the native build, TARVEX_MANUEL_PDF), nor the packaging.
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()

# The calculator throws its failure type on every refused key: WebAssembly's own exceptions,
# whose try blocks cost nothing until something is thrown (docs/performance.md). No fused
# multiply-add either: the digits must be the native build's.
add_compile_options(-fwasm-exceptions -ffp-contract=off)
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1)
# memcpy and memset as single instructions (every browser of the last five years has them):
# the session copies the state record after every event.
add_compile_options(-mbulk-memory)
add_link_options(-mbulk-memory)
# Emscripten's linker runs its JavaScript optimiser under node, which finds Debian's acorn
# (the package node-acorn) only through NODE_PATH when node is not Debian's own.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK
             "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")

add_subdirectory(src/vocabulaire)
add_subdirectory(src/calc)
add_subdirectory(src/session)
add_subdirectory(tools/replay)
add_subdirectory(web)
# The wall between the layers, for the page's door as for the other front ends.
add_subdirectory(tests/couches)
