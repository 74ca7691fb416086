# Crash recovery and backups in the editor; the crash tests run the editor program itself.
lumora_gui_test(recovery_gui_tests RecoveryMain.cpp RecoveryTest.cpp ShellFixture.cpp ShellFixture.h)
target_compile_definitions(recovery_gui_tests PRIVATE LUMORA_EDITOR_PATH="$<TARGET_FILE:lumora-editor>")
add_dependencies(recovery_gui_tests lumora-editor)
