# The submaster editor and list windows and the submaster report dialogs.
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SubEdit.cpp ${CMAKE_CURRENT_LIST_DIR}/SubEdit.h
  ${CMAKE_CURRENT_LIST_DIR}/SubList.cpp ${CMAKE_CURRENT_LIST_DIR}/SubList.h
  ${CMAKE_CURRENT_LIST_DIR}/rptSubs.cpp ${CMAKE_CURRENT_LIST_DIR}/rptSubs.h
  ${CMAKE_CURRENT_LIST_DIR}/rptSubList.cpp ${CMAKE_CURRENT_LIST_DIR}/rptSubList.h
)
