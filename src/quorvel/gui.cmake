# The Quorvel windows, the position picker and the Quorvel report windows.
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/QVWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/QVWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/QVType.cpp ${CMAKE_CURRENT_LIST_DIR}/QVType.h
  ${CMAKE_CURRENT_LIST_DIR}/QVDevice.cpp ${CMAKE_CURRENT_LIST_DIR}/QVDevice.h
  ${CMAKE_CURRENT_LIST_DIR}/qvAction.cpp ${CMAKE_CURRENT_LIST_DIR}/qvAction.h
  ${CMAKE_CURRENT_LIST_DIR}/qvPosition.cpp ${CMAKE_CURRENT_LIST_DIR}/qvPosition.h
  ${CMAKE_CURRENT_LIST_DIR}/qvposSelect.cpp ${CMAKE_CURRENT_LIST_DIR}/qvposSelect.h
)
target_sources(lumora_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/QVReportLayouts.cpp ${CMAKE_CURRENT_LIST_DIR}/QVReportLayouts.h
  ${CMAKE_CURRENT_LIST_DIR}/rptQvType.cpp ${CMAKE_CURRENT_LIST_DIR}/rptQvType.h
  ${CMAKE_CURRENT_LIST_DIR}/rptAction.cpp ${CMAKE_CURRENT_LIST_DIR}/rptAction.h
  ${CMAKE_CURRENT_LIST_DIR}/printQVPos.cpp ${CMAKE_CURRENT_LIST_DIR}/printQVPos.h
)
