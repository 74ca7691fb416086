# What can be drive A: the removable drives the kernel lists, and blank diskette images.
target_sources(lumora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/RemovableDrives.cpp)
