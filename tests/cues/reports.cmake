# The cue reports: their data files and messages (core), and their windows (editor).
lumora_core_test(cue_reports_tests CueReportsTest.cpp)
