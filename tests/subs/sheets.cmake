# The submaster editor's and list's rules and the submaster reports' rows.
lumora_core_test(sub_sheets_tests
  ${CMAKE_CURRENT_LIST_DIR}/SubEditSessionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubListSheetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubReportsTest.cpp
)
