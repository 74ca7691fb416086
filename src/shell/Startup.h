#pragma once

// Program start: the splash, the main window, every other window once (hidden), then
// the splash goes and the main window is left for the message loop.

#include "shell/MainMenu.h"

#include <QApplication>

#include <memory>

namespace lumora {

// What start-up did, for tests and the start-up benchmark.
struct TStartTrace {
    int splashSteps = 0;
    int splashBarAtEnd = 0;
    int windowsCreated = 0;
};

inline constexpr int kSplashSteps = 14; // one before the main window, 13 while the others are made

std::unique_ptr<TfmMain> StartEditor(const TShellServices& services, TWindowRegistry windows,
                                     TStartTrace* trace = nullptr);

// The program's resources (icons, pictures, help pages) live in a static library: this
// makes sure they are linked in and registered. Safe to call more than once.
void InitShellResources();

// The application object: an exception that escapes an event handler outside the
// commands (which have their own handler) is shown in an error box, and the program
// goes on.
class TEditorApplication final : public QApplication {
public:
    TEditorApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace lumora
