# The patch and profile editors' rules and the data of their reports (core).
lumora_core_test(patch_sheet_tests PatchSheetTest.cpp ProfileSheetTest.cpp PatchReportsTest.cpp)
