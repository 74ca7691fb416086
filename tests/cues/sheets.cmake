# The cue list screen and the tracking editor: their rules (core), and their windows
# driven through their widgets (editor).
lumora_core_test(cue_sheets_tests CueListSheetTest.cpp TrackSheetTest.cpp)
if(LUMORA_GUI)
  lumora_gui_test(cue_sheet_windows_tests SheetWindowsMain.cpp CueList2Test.cpp TrackTest.cpp)
endif()
