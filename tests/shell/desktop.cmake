# The recent shows' rules (core), and the main window's desktop items (windows).
lumora_core_test(recent_shows_tests RecentShowsTest.cpp)
if(LUMORA_GUI)
  lumora_gui_test(desktop_tests DesktopTest.cpp ShellFixture.cpp ShellFixture.h)
endif()
