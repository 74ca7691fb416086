// The Check Show and Compare With windows' tests.

#include "shell/Startup.h"

#include <QApplication>

int RunToolsTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    lumora::InitShellResources();
    return RunToolsTests(argc, argv);
}
