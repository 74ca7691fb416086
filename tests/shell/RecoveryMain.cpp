// The crash-recovery and backup tests of the editor, in a program of their own (they start
// the editor itself as a child process).

#include "shell/Startup.h"

#include <QApplication>

int RunRecoveryTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    lumora::InitShellResources();
    return RunRecoveryTests(argc, argv);
}
