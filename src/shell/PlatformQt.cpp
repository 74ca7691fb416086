#include "shell/PlatformQt.h"

#include "print/Preview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>

#include <QPrinter>
#include <QStandardPaths>

namespace lumora {

namespace {

constexpr const char* kShowFileFilter = "Lumora Offline Editor files (*.lmr)";

QMessageBox::Icon BoxIcon(IUserInterface::Icon icon)
{
    switch (icon) {
    case IUserInterface::Icon::Warning: return QMessageBox::Warning;
    case IUserInterface::Icon::Error: return QMessageBox::Critical;
    case IUserInterface::Icon::Information: return QMessageBox::Information;
    case IUserInterface::Icon::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

IMessagePresenter::Reply TMessageBoxPresenter::present(IUserInterface::Icon icon, const QString& text, Buttons buttons)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    if (!parent)
        parent = m_parent;

    QMessageBox box(BoxIcon(icon), QString::fromLatin1(kProgramTitle), text, QMessageBox::NoButton, parent);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNoLater:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(QString::fromLatin1(kButtonLater));
        box.button(QMessageBox::Cancel)->setIcon(QIcon()); // not the cancel cross: nothing is lost
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Reply::Yes;
    case QMessageBox::No: return Reply::No;
    case QMessageBox::Cancel: return Reply::Cancel;
    default: break;
    }
    if (buttons == Buttons::YesNo)
        return Reply::No;
    if (buttons == Buttons::YesNoCancel || buttons == Buttons::YesNoLater)
        return Reply::Cancel;
    return Reply::Ok;
}

TQtShellDialogs::TQtShellDialogs() = default;

QPrinter& TQtShellDialogs::printer()
{
    return ReportPrinter();
}
TQtShellDialogs::~TQtShellDialogs() = default;

std::optional<QString> TQtShellDialogs::openShowFile(QWidget* parent, const QString& title, const QString& folder)
{
    QFileDialog dialog(parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromLatin1(kShowFileFilter));
    dialog.setDefaultSuffix(QStringLiteral("lmr"));
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> TQtShellDialogs::saveShowFile(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromLatin1(kShowFileFilter));
    dialog.setDefaultSuffix(QStringLiteral("lmr")); // applied before the overwrite question
    if (const QFileInfo start(folder); !folder.isEmpty() && start.isDir()) {
        dialog.setDirectory(folder);
    } else if (!folder.isEmpty() && start.dir().exists()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> TQtShellDialogs::openShowOrImage(QWidget* parent, const QString& title, const QString& folder)
{
    QFileDialog dialog(parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QString::fromLatin1(kShowFileFilter), QStringLiteral("Diskette images (*.img *.ima)"),
                           QStringLiteral("All files (*)")});
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

namespace {

std::optional<QString> RunFileDialog(QWidget* parent, bool save, const QString& title, const QString& folder,
                                     const QString& filter, const QString& extension)
{
    QFileDialog dialog(parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true); // the caller asks
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(extension);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> TQtShellDialogs::openFile(QWidget* parent, const QString& title, const QString& folder,
                                                 const QString& filter, const QString& extension)
{
    return RunFileDialog(parent, false, title, folder, filter, extension);
}

std::optional<QString> TQtShellDialogs::saveFile(QWidget* parent, const QString& title, const QString& folder,
                                                 const QString& filter, const QString& extension)
{
    return RunFileDialog(parent, true, title, folder, filter, extension);
}

void TQtShellDialogs::printerSetup(QWidget* parent)
{
    ReportPrinterSetup(parent);
}

QString TDocumentsShowsFolder::location() const
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("My Shows"));
}

} // namespace lumora
