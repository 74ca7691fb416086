# The patch and profile editors' rules, and the data of their reports (core).
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PatchSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/PatchSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/ProfileSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/ProfileSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/PatchReports.cpp ${CMAKE_CURRENT_LIST_DIR}/PatchReports.h
)
