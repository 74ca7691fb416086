# Checking a show and comparing two.
lumora_core_test(check_tests ShowCheckTest.cpp ShowDiffTest.cpp ${CMAKE_SOURCE_DIR}/tests/support/ConsistentShow.cpp)
