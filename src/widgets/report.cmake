# The banded report engine: layout, data source, pages and painting.
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ReportLayout.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportData.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportData.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportEngine.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportEngine.h
)
