# The Show Options dialog.
lumora_gui_test(show_gui_tests DskOptTest.cpp)
