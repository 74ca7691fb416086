#include "quorvel/QVWindow.h"

#include "shell/WindowRegistry.h"

#include <QMenu>
#include <QMenuBar>

namespace lumora {

QString QvToQt(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string QvFromQt(const QString& text)
{
    return text.toLatin1().toStdString();
}

TQvWindow::TQvWindow(QWidget* parent, const char* objectName, const char* caption, int helpTopic, bool maximizable)
    : TEditWindow(parent, objectName, caption, helpTopic, maximizable)
{
}

void TQvWindow::navigate(int code)
{
    if (queryClose())
        done(code);
}

QMenu* TQvWindow::makeQvSetupMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("QV Setup"));
    menu->setObjectName(QStringLiteral("mnuQvSetup"));
    return menu;
}

QMenu* TQvWindow::addQvSetupMenu(int own, QMenu* menu)
{
    if (!menu)
        menu = makeQvSetupMenu();
    struct TItem {
        const char* name;
        const char* text;
        int code;
    };
    static constexpr TItem kItems[] = {{"mnuQvType", "Type", kNavQvType},
                                       {"mnuQvDevice", "Device", kNavQvDevice},
                                       {"mnuQvAction", "Action", kNavQvAction},
                                       {"mnuQvPosition", "Position", kNavQvPosition}};
    for (const TItem& item : kItems) {
        QAction* a = menu->addAction(tr(item.text));
        a->setObjectName(QString::fromLatin1(item.name));
        a->setCheckable(true);
        a->setChecked(item.code == own);
        const int code = item.code;
        connect(a, &QAction::triggered, this, [this, a, code, own] {
            a->setChecked(code == own);
            if (code != own)
                navigate(code);
        });
    }
    return menu;
}

} // namespace lumora
