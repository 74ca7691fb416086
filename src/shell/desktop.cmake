# The desktop side of the editor: recent shows (their rules are Qt-free, in the core) and
# the diskette drive choice.
target_sources(lumora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/RecentShows.cpp)
if(LUMORA_GUI)
  target_sources(lumora_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DisketteDrive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisketteDrive.h
    ${CMAKE_CURRENT_LIST_DIR}/MainMenuDesktop.cpp
  )
endif()
