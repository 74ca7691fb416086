# Crash-recovery snapshots of a full show.
lumora_bench(recovery_bench ${CMAKE_CURRENT_LIST_DIR}/RecoveryBench.cpp)
target_link_libraries(recovery_bench PRIVATE lumora_test_support)
