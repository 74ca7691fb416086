# The macro editor, its special-entry dialog and the macro report: their rules in the
# core, their windows in the editor.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MacroKeyList.cpp ${CMAKE_CURRENT_LIST_DIR}/MacroKeyList.h
  ${CMAKE_CURRENT_LIST_DIR}/MacroReports.cpp ${CMAKE_CURRENT_LIST_DIR}/MacroReports.h
)
if(LUMORA_GUI)
  target_sources(lumora_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Macro2.cpp ${CMAKE_CURRENT_LIST_DIR}/Macro2.h
    ${CMAKE_CURRENT_LIST_DIR}/macroSp.cpp ${CMAKE_CURRENT_LIST_DIR}/macroSp.h
    ${CMAKE_CURRENT_LIST_DIR}/printMacros4.cpp ${CMAKE_CURRENT_LIST_DIR}/printMacros4.h
  )
endif()
