# Show check and show comparison.
lumora_bench(check_bench CheckBench.cpp ${CMAKE_SOURCE_DIR}/tests/support/ConsistentShow.cpp)
target_link_libraries(check_bench PRIVATE lumora_test_support)
target_include_directories(check_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
