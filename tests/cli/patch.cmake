# lumora-cli's patch and profile reports.
lumora_core_test(cli_patch_tests CliPatchReportsTest.cpp)
target_link_libraries(cli_patch_tests PRIVATE lumora_cli)
target_compile_definitions(cli_patch_tests PRIVATE LUMORA_CLI_PATH="$<TARGET_FILE:lumora-cli>")
add_dependencies(cli_patch_tests lumora-cli)
if(LUMORA_GUI)
  target_compile_definitions(cli_patch_tests PRIVATE LUMORA_CLI_PDF=1)
  add_dependencies(cli_patch_tests lumora-cli-pdf)
endif()
