# The cue list screen and the tracking editor: their rules in the core, their windows in
# the editor.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CueListSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/CueListSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/TrackSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/TrackSheet.h
)
if(LUMORA_GUI)
  target_sources(lumora_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CueList2.cpp ${CMAKE_CURRENT_LIST_DIR}/CueList2.h
    ${CMAKE_CURRENT_LIST_DIR}/Track.cpp ${CMAKE_CURRENT_LIST_DIR}/Track.h
  )
endif()
