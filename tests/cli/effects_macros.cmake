# lumora-cli's effect and macro reports.
lumora_core_test(cli_effect_macro_tests ${CMAKE_CURRENT_LIST_DIR}/EffectMacroReportsCliTest.cpp)
target_link_libraries(cli_effect_macro_tests PRIVATE lumora_cli)
