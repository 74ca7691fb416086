# Show diskette: raw sectors (portable part + the platform file) and the show-disk transfers.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DirectDisk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DirectDiskPosix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShowDisk.cpp
)
