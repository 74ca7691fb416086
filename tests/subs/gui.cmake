# The submaster windows and report dialogs, driven through their widgets.
lumora_gui_test(sub_windows_tests
  ${CMAKE_CURRENT_LIST_DIR}/SubWindowsMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubEditTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubListTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubReportWindowsTest.cpp
)
