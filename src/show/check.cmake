# Checking a show and comparing two (core), and their windows (editor).
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ShowCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShowDiff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShowSource.cpp
)
