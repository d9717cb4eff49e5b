# cmake -DDOC=docs/ARCHITECTURE.md -DLIENS=couches.txt -P architecture.cmake: the list of links
# between the layers that the document shows (the lines between its markers "layers:begin" and
# "layers:end") must be the one the build has.
file(READ ${DOC} doc)
string(REGEX MATCH "layers:begin -->\n```\n(.*)```\n<!-- layers:end" trouve "${doc}")
if(NOT trouve)
  message(FATAL_ERROR "${DOC}: no list of layers between <!-- layers:begin --> and <!-- layers:end -->")
endif()
file(READ ${LIENS} liens)
if(NOT CMAKE_MATCH_1 STREQUAL liens)
  message(FATAL_ERROR "${DOC} shows the layers linked as\n${CMAKE_MATCH_1}\nbut the build links them as\n${liens}")
endif()
