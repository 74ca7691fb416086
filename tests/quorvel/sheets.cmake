# The Quorvel windows' rules and the Quorvel reports' data, without windows.
lumora_core_test(quorvel_sheets_tests
  ${CMAKE_CURRENT_LIST_DIR}/QVTypeSheetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QVDeviceSheetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QVActionSheetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QVPositionSheetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QVReportsTest.cpp
)
