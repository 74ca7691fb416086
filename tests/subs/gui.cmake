# The submaster windows and report dialogs, driven through their widgets.
lumora_gui_test(sub_windows_tests
  ${CMAKE_CURRENT_LIST_DIR}/SubWindowsMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubEditTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubListTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubReportWindowsTest.cpp
)
# The submaster windows in the main window.
lumora_gui_test(sub_shell_tests
  ${CMAKE_CURRENT_LIST_DIR}/SubShellTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../shell/ShellFixture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../shell/ShellFixture.h
)
