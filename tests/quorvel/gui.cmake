# The Quorvel windows driven through their widgets, and the main window's Quorvel family.
lumora_gui_test(quorvel_windows_tests
  ${CMAKE_CURRENT_LIST_DIR}/QvWindowsMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QvWindowsSupport.h
  ${CMAKE_CURRENT_LIST_DIR}/QVTypeWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QVDeviceWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QVActionWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QVPositionWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QvNavigationTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../shell/ShellFixture.cpp
)
target_include_directories(quorvel_windows_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
