# The cue report windows.
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/rptCueList.cpp ${CMAKE_CURRENT_LIST_DIR}/rptCueList.h
  ${CMAKE_CURRENT_LIST_DIR}/printCueEditor.cpp ${CMAKE_CURRENT_LIST_DIR}/printCueEditor.h
  ${CMAKE_CURRENT_LIST_DIR}/printTrack.cpp ${CMAKE_CURRENT_LIST_DIR}/printTrack.h
)
