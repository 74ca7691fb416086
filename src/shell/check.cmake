# Tools > Check Show... and File > Compare With...: their windows and commands.
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MainTools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShowCheckWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShowCheckWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/ShowCompareWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShowCompareWindow.h
)
