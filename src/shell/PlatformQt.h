#pragma once

// The desktop implementations of the editor's seams (Platform.h).

#include "shell/Platform.h"

#include <memory>

class QPrinter;

namespace lumora {

// QMessageBox with the program's title; the confirmation icon is Qt's question mark.
class TMessageBoxPresenter final : public IMessagePresenter {
public:
    // Boxes are centred over the window that is active when they open, else over parent.
    explicit TMessageBoxPresenter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    Reply present(IUserInterface::Icon icon, const QString& text, Buttons buttons) override;

private:
    QWidget* m_parent;
};

// QFileDialog with the one filter "Lumora Offline Editor files (*.lmr)", and the printer
// set-up on the program's printer, the one every report prints through.
class TQtShellDialogs final : public IShellDialogs {
public:
    TQtShellDialogs();
    ~TQtShellDialogs() override;

    std::optional<QString> openShowFile(QWidget* parent, const QString& title, const QString& folder) override;
    std::optional<QString> saveShowFile(QWidget* parent, const QString& folder) override;
    std::optional<QString> openShowOrImage(QWidget* parent, const QString& title, const QString& folder) override;
    void printerSetup(QWidget* parent) override;
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                                    const QString& extension) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                                    const QString& extension) override;

    QPrinter& printer();
};

// "My Shows" in the user's documents folder: the program's own folder is read-only on
// Linux, so shows cannot live beside it.
class TDocumentsShowsFolder final : public IShowsFolder {
public:
    QString location() const override;
};

} // namespace lumora
