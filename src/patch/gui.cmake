# The patch and profile editors, their dialogs and their report dialogs.
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PatchEditor.cpp ${CMAKE_CURRENT_LIST_DIR}/PatchEditor.h
  ${CMAKE_CURRENT_LIST_DIR}/InpPatch.cpp ${CMAKE_CURRENT_LIST_DIR}/InpPatch.h
  ${CMAKE_CURRENT_LIST_DIR}/ProfileEditor.cpp ${CMAKE_CURRENT_LIST_DIR}/ProfileEditor.h
  ${CMAKE_CURRENT_LIST_DIR}/profileLevel.cpp ${CMAKE_CURRENT_LIST_DIR}/profileLevel.h
  ${CMAKE_CURRENT_LIST_DIR}/RenProf.cpp ${CMAKE_CURRENT_LIST_DIR}/RenProf.h
)
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/printPatch.cpp ${CMAKE_CURRENT_LIST_DIR}/printPatch.h
  ${CMAKE_CURRENT_LIST_DIR}/printProfiles.cpp ${CMAKE_CURRENT_LIST_DIR}/printProfiles.h
)
