# Crash-recovery snapshots and backups of replaced show files.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Backups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Recovery.cpp
)
