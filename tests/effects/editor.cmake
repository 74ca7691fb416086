# The effect editor's rules and report (core), and its windows through their widgets.
lumora_core_test(effect_editor_tests ${CMAKE_CURRENT_LIST_DIR}/EffectSheetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EffectReportsTest.cpp)
if(LUMORA_GUI)
  lumora_gui_test(effect_window_tests ${CMAKE_CURRENT_LIST_DIR}/EffectWindowTest.cpp)
endif()
if(LUMORA_GUI)
  # Both editors and their reports in the main window.
  lumora_gui_test(fxmacro_shell_tests ${CMAKE_CURRENT_LIST_DIR}/FxMacroShellTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/../shell/ShellFixture.cpp)
endif()
