# The cue reports: their data files and messages (core), and their windows (editor).
lumora_core_test(cue_reports_tests CueReportsTest.cpp)
if(LUMORA_GUI)
  lumora_gui_test(cue_report_window_tests CueReportWindowsTest.cpp)
endif()
