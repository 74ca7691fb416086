#include "shell/Startup.h"

#include "shell/ErrorHandler.h"
#include "shell/PlatformQt.h"
#include "shell/QtUserInterface.h"
#include "shell/splash3.h"

#include <QLabel>
#include <QProgressBar>

static void InitResourcesOutsideNamespace()
{
    Q_INIT_RESOURCE(lumora);
}

namespace lumora {

void InitShellResources()
{
    static const bool done = (InitResourcesOutsideNamespace(), true);
    (void)done;
}

std::unique_ptr<TfmMain> StartEditor(const TShellServices& services, TWindowRegistry windows, TStartTrace* trace)
{
    InitShellResources();
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgramTitle));

    TStartTrace local;
    TStartTrace& t = trace ? *trace : local;

    auto splash = std::make_unique<TfmSplash3>();
    splash->show();
    splash->repaint();
    const auto step = [&] {
        splash->step();
        ++t.splashSteps;
    };
    step();

    auto main = std::make_unique<TfmMain>(services, std::move(windows));
    main->show(); // at once, with "Loading Editor - Please Wait . . ."
    main->statusPanel()->repaint();
    splash->raise();

    // 13 more steps, spread over however many windows there are.
    const int total = main->windowsToCreate();
    constexpr int kMoreSteps = kSplashSteps - 1;
    int stepsDone = 0;
    main->createWindows([&](int created) {
        t.windowsCreated = created;
        while (stepsDone < kMoreSteps * created / total) {
            step();
            ++stepsDone;
        }
        if (created == total / 2)
            QCoreApplication::processEvents();
    });
    while (stepsDone < kMoreSteps) {
        step();
        ++stepsDone;
    }

    main->startupFinished();
    t.splashBarAtEnd = splash->bar()->value();
    splash->hide();
    splash.reset();
    QCoreApplication::processEvents();
    return main;
}

bool TEditorApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        TMessageBoxPresenter presenter;
        TQtUserInterface ui(presenter);
        ShowCurrentException(ui);
        return false;
    }
}

} // namespace lumora
