# Raw sectors and the show diskette.
lumora_core_test(disk_tests DirectDiskTest.cpp ShowDiskTest.cpp)
