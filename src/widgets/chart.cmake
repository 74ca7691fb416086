# The line chart of the profile editor.
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ProfileChart.cpp ${CMAKE_CURRENT_LIST_DIR}/ProfileChart.h
)
