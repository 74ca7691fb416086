# The rules of the four Quorvel windows and the Quorvel reports' data, in the core.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/QVTypeSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/QVTypeSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/QVDeviceSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/QVDeviceSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/QVActionSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/QVActionSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/QVPositionSheet.cpp ${CMAKE_CURRENT_LIST_DIR}/QVPositionSheet.h
  ${CMAKE_CURRENT_LIST_DIR}/QVReports.cpp ${CMAKE_CURRENT_LIST_DIR}/QVReports.h
)
