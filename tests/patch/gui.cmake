# The patch and profile windows and their reports, driven through their widgets.
lumora_gui_test(patch_windows_tests
  PatchWindowsMain.cpp
  PatchEditorTest.cpp
  ProfileEditorTest.cpp
  PatchReportWindowsTest.cpp
)
