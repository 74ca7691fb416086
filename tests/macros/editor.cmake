# The macro editor's rules and report (core), and its windows through their widgets.
lumora_core_test(macro_editor_tests ${CMAKE_CURRENT_LIST_DIR}/MacroKeyListTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MacroReportsTest.cpp)
if(LUMORA_GUI)
  lumora_gui_test(macro_window_tests ${CMAKE_CURRENT_LIST_DIR}/Macro2Test.cpp)
endif()
