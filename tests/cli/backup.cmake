# Backups kept by build and disk read.
target_sources(cli_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CliBackupTest.cpp)
