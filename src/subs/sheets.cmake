# The submaster editor's and list's rules and the submaster reports' rows, in the core.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SubEditSession.cpp ${CMAKE_CURRENT_LIST_DIR}/SubEditSession.h
  ${CMAKE_CURRENT_LIST_DIR}/SubListSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/SubListSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/SubReports.cpp ${CMAKE_CURRENT_LIST_DIR}/SubReports.h
)
