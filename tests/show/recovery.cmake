# Crash-recovery snapshots and backups.
lumora_core_test(recovery_tests RecoveryTest.cpp BackupsTest.cpp)
