#pragma once

// What every editing window of the program has in common: a modal window made once by
// the main window, a menu bar with File first and Help last (F1 works with the menu bar
// closed), and a close that asks about unkept changes first. The window adds its own
// menu items, widgets and rules.

#include <QAction>
#include <QDialog>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QString>

#include <functional>
#include <initializer_list>

class QBoxLayout;
class QMenuBar;
class QPushButton;

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

// ---- The window

class TEditWindow : public QDialog {
    Q_OBJECT

public:
    // ---- Wiring from the main window
    // Help > the window's topic; without it the Help command does nothing.
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }
    int helpTopic() const { return m_helpTopic; }

    // ---- Closing
    // The Close button, File > Close, the close box and Esc: the window closes (with
    // closeResult()) only when queryClose() lets it.
    void reject() override;

protected:
    // caption: the title bar; helpTopic: the topic Help and F1 open.
    TEditWindow(QWidget* parent, const char* objectName, const char* caption, int helpTopic, bool maximizable);

    // ---- Menus
    QMenuBar* menuBar() const { return m_menuBar; }
    QMenu* fileMenu() const { return m_fileMenu; }
    // Adds an item to the File menu; see AddMenuItem.
    template <class TWindow, class TSlot>
    QAction* addFileItem(const char* name, const QString& text, TSlot slot, const QKeySequence& key = {})
    {
        return AddMenuItem(m_fileMenu, static_cast<TWindow*>(this), name, text, slot, key);
    }
    // A separator and the Close item end the File menu, and the Help item ends the menu
    // bar: called once the window's own items and menus are in.
    void finishMenus(const QString& closeText);

    // ---- Buttons and layout
    // A button of the window's button row that calls slot; Enter belongs to the window's
    // grid, never to a button.
    template <class TWindow, class TSlot> QPushButton* addButton(const char* name, const QString& text, TSlot slot)
    {
        QPushButton* button = makeButton(name, text);
        QObject::connect(button, &QPushButton::clicked, static_cast<TWindow*>(this), slot);
        return button;
    }
    // The Close button (made on first call), which closes as File > Close does.
    QPushButton* closeButton();
    // The window's layout: the menu bar, then body taking the room there is, then a row
    // of leading (a check box, say; may be nullptr) on the left and the buttons on the
    // right, the Close button last and set apart.
    QBoxLayout* layOut(QWidget* body, QWidget* leading, std::initializer_list<QPushButton*> buttons);

    // ---- Closing
    // Asks about the window's unkept changes: true lets the window close.
    virtual bool queryClose() = 0;
    // What exec() returns after a close the user asked for.
    virtual int closeResult() const { return QDialog::Rejected; }

private:
    QPushButton* makeButton(const char* name, const QString& text);

    QMenuBar* m_menuBar;
    QPushButton* m_btnClose = nullptr;
    QMenu* m_fileMenu;
    int m_helpTopic;
    std::function<void(int)> m_help;
};

} // namespace lumora
