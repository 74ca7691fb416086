#pragma once

// Pieces the cue windows build the same way: the items of their File menu and their
// Help item (the cue editor, the cue list screen, the tracking editor), and the channel
// choice with its Print and Close buttons (the cue report dialogs).

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>

#include <functional>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QWidget;

namespace lumora {

// ---- Menus

// Adds an item named name to menu; choosing it (or pressing key while window is active)
// calls slot on window.
template <class TWindow, class TSlot>
QAction* AddMenuItem(QMenu* menu, TWindow* window, const char* name, const QString& text, TSlot slot,
                     const QKeySequence& key = {})
{
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(a, &QAction::triggered, window, slot);
    return a;
}

// Adds the Help item ("mnuHelp") to the menu bar: it and F1, which works with the menu
// bar closed, call help with topic when the window has been given one (help is read at
// that moment, so a later setHelp counts).
QAction* AddHelpItem(QMenuBar* menuBar, QWidget* window, const QString& text, const std::function<void(int)>& help,
                     int topic);

// ---- The cue report dialogs

// "Print channels up through" with its check box and number box, and the Print (the
// default) and Close buttons, made as children of dialog in that order, with their two
// lines laid out; the caller places the lines and connects the widgets.
struct TChannelChoice {
    QCheckBox* cbChan;
    QLabel* lblChan;
    QLineEdit* edtChan;
    QPushButton* btnPrint;
    QPushButton* btnClose;
    QHBoxLayout* channelLine;
    QHBoxLayout* buttons;
};
TChannelChoice MakeChannelChoice(QWidget* dialog, bool checked, const QString& channels);

// The channel box and its label are usable only while the check box is checked.
void FollowChannelCheck(const QCheckBox* cbChan, QLabel* lblChan, QLineEdit* edtChan);

} // namespace lumora
