// The shell's window tests: one Qt Test class per window or command group.

#include "shell/Startup.h"

#include <QApplication>

int RunStartupTests(int argc, char** argv);
int RunMainMenuTests(int argc, char** argv);
int RunFileCommandsTests(int argc, char** argv);
int RunDiskCommandsTests(int argc, char** argv);
int RunNotesTests(int argc, char** argv);
int RunSmallWindowsTests(int argc, char** argv);
int RunEditorWindowsTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Closing a main window in a test must not end the application.
    QApplication::setQuitOnLastWindowClosed(false);
    lumora::InitShellResources();

    int failed = 0;
    for (auto run : {RunStartupTests, RunMainMenuTests, RunFileCommandsTests, RunDiskCommandsTests, RunNotesTests,
                     RunSmallWindowsTests, RunEditorWindowsTests})
        failed += run(argc, argv) != 0 ? 1 : 0;
    return failed;
}
