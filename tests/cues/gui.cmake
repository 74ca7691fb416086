# The cue editor and the cue dialogs, driven through their widgets.
lumora_gui_test(cue_windows_tests
  CueWindowsMain.cpp
  InsertQTest.cpp
  CopyRngeTest.cpp
  InputLev2Test.cpp
  CueEdit2Test.cpp
)
