# Crash recovery in the editor: the snapshot timer, its lock and the offer at start.
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/RecoveryGuard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecoveryGuard.h
)
