#include "cues/CueWindowParts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>

namespace lumora {

QAction* AddHelpItem(QMenuBar* menuBar, QWidget* window, const QString& text, const std::function<void(int)>& help,
                     int topic)
{
    QAction* a = menuBar->addAction(text);
    a->setObjectName(QStringLiteral("mnuHelp"));
    a->setShortcut(QKeySequence(Qt::Key_F1));
    a->setShortcutContext(Qt::WindowShortcut);
    window->addAction(a); // F1 works with the menu bar closed
    // help is a member of window, which outlives the connection.
    QObject::connect(a, &QAction::triggered, window, [&help, topic] {
        if (help)
            help(topic);
    });
    return a;
}

TChannelChoice MakeChannelChoice(QWidget* dialog, bool checked, const QString& channels)
{
    TChannelChoice c{};
    c.cbChan = new QCheckBox(dialog);
    c.cbChan->setObjectName(QStringLiteral("cbChan"));
    c.cbChan->setChecked(checked);
    c.lblChan = new QLabel(QCoreApplication::translate("lumora", "Print channels up through"), dialog);
    c.lblChan->setObjectName(QStringLiteral("lblChan"));
    c.lblChan->setBuddy(c.cbChan);
    c.edtChan = new QLineEdit(channels, dialog);
    c.edtChan->setObjectName(QStringLiteral("edtChan"));
    c.edtChan->setToolTip(QStringLiteral("1..512"));
    c.edtChan->setMaximumWidth(60);

    c.btnPrint = new QPushButton(QCoreApplication::translate("lumora", "Print"), dialog);
    c.btnPrint->setObjectName(QStringLiteral("btnPrint"));
    c.btnPrint->setDefault(true);
    c.btnClose = new QPushButton(QCoreApplication::translate("lumora", "Close"), dialog);
    c.btnClose->setObjectName(QStringLiteral("btnClose"));

    c.channelLine = new QHBoxLayout;
    c.channelLine->addWidget(c.cbChan);
    c.channelLine->addWidget(c.lblChan);
    c.channelLine->addWidget(c.edtChan);
    c.channelLine->addStretch();
    c.buttons = new QHBoxLayout;
    c.buttons->addStretch();
    c.buttons->addWidget(c.btnPrint);
    c.buttons->addWidget(c.btnClose);
    return c;
}

void FollowChannelCheck(const QCheckBox* cbChan, QLabel* lblChan, QLineEdit* edtChan)
{
    const bool on = cbChan->isChecked();
    lblChan->setEnabled(on);
    edtChan->setEnabled(on);
}

} // namespace lumora
