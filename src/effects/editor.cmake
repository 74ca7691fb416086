# The effect editor and the effect report: their rules in the core, their windows in
# the editor.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EffectSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/EffectSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/EffectReports.cpp ${CMAKE_CURRENT_LIST_DIR}/EffectReports.h
)
if(LUMORA_GUI)
  target_sources(lumora_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/EffectWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/EffectWindow.h
    ${CMAKE_CURRENT_LIST_DIR}/rptEffect.cpp ${CMAKE_CURRENT_LIST_DIR}/rptEffect.h
  )
endif()
