# Puts the play page together (cmake -P): the template play_page.html with the
# game page's style and parts and the play page's own style and scripts in
# place of its markers, and the module's script last, so that no marker can
# be looked for inside it. A script that could close its element is refused.
#
#   cmake -DOUTPUT=page.html -DMODULE=curling-play.js -DSOURCE=web
#         -DPAGE_PARTS=match/reports -P assemble_page.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${SOURCE}/play_page.html page)
set(pieces
  "@GAME_PAGE_STYLE@=${PAGE_PARTS}/game_page.css"
  "@PLAY_STYLE@=${SOURCE}/play_page.css"
  "@GAME_PAGE_PARTS@=${PAGE_PARTS}/game_page_parts.js"
  "@PLAY_PARTS@=${SOURCE}/play_parts.js"
  "@PLAY_WORKER@=${SOURCE}/play_worker.js"
  "@PLAY_PAGE@=${SOURCE}/play_page.js"
  "@MODULE@=${MODULE}")
foreach(piece IN LISTS pieces)
  string(FIND "${piece}" "=" equals)
  string(SUBSTRING "${piece}" 0 ${equals} marker)
  math(EXPR after "${equals} + 1")
  string(SUBSTRING "${piece}" ${after} -1 path)
  file(READ ${path} text)
  string(FIND "${text}" "</script" closing)
  string(FIND "${text}" "</style" closingStyle)
  if(NOT closing EQUAL -1 OR NOT closingStyle EQUAL -1)
    message(FATAL_ERROR "${path} holds the end of an element; it cannot go into the page")
  endif()
  string(FIND "${page}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "play_page.html has no ${marker}")
  endif()
  string(REPLACE "${marker}" "${text}" page "${page}")
endforeach()
file(WRITE ${OUTPUT}.part "${page}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
