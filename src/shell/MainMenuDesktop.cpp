// The main window's desktop items: the File menu's recent shows, File > Diskette Drive...
// and the status bar field that names drive A.

#include "shell/DisketteDrive.h"
#include "shell/MainMenu.h"
#include "show/RemovableDrives.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>

namespace lumora {

namespace {

constexpr const char* kSettingRecentShows = "RecentShows/paths";
constexpr const char* kMsgShowNotFound =
    "The show %1 could not be found. It has been taken off the list of recent shows.";
constexpr const char* kDriveAField = "Drive A: %1";

QString Decoded(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string Encoded(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString DriveAText(const TShellServices& services)
{
    if (services.driveAPath.empty())
        return QString::fromLatin1(kDriveAField).arg(QObject::tr("(built in)"));
    return QString::fromLatin1(kDriveAField).arg(ToQString(DriveADescription(services.driveAPath, services.sysfsRoot)));
}

} // namespace

void TfmMain::buildDesktopItems()
{
    // The items go into the File menu the menus were built with: Diskette Drive... after the
    // diskette commands, the recent shows just above Exit.
    if (QMenu* file = menuBar()->findChild<QMenu*>(QStringLiteral("mnuFile"))) {
        const QList<QAction*> actions = file->actions();
        QAction* exit = nullptr;
        QAction* before = nullptr;
        for (qsizetype i = 0; i < actions.size(); ++i) {
            if (actions[i]->objectName() == QLatin1String("mnuExit"))
                exit = actions[i];
            if (actions[i]->objectName() == QLatin1String("mnuWriteShowDisk") && i + 1 < actions.size())
                before = actions[i + 1];
        }
        if (!before)
            before = exit;
        auto* drive = new QAction(tr("Disk&ette Drive..."), file);
        drive->setObjectName(QStringLiteral("mnuDisketteDrive"));
        drive->setStatusTip(tr("Choose the drive or diskette image used as drive A"));
        connect(drive, &QAction::triggered, this, [this] { command([this] { chooseDisketteDrive(); }); });
        file->insertAction(before, drive);

        for (std::size_t i = 0; i < TRecentShows::kLimit; ++i) {
            auto* action = new QAction(file);
            action->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
            action->setVisible(false);
            connect(action, &QAction::triggered, this, [this, i] {
                if (i < m_recent.paths().size())
                    openRecentShow(Decoded(m_recent.paths()[i]));
            });
            file->insertAction(exit, action);
            m_recentActions.push_back(action);
        }
        m_recentSeparator = file->insertSeparator(exit);
    }
    if (m_services.settings) {
        std::vector<std::string> stored;
        for (const QString& path : m_services.settings->value(QString::fromLatin1(kSettingRecentShows)).toStringList())
            stored.push_back(Encoded(path));
        m_recent = TRecentShows(stored);
    }
    updateRecentMenu();

    m_driveALabel = new QLabel(this);
    m_driveALabel->setObjectName(QStringLiteral("lblDriveA"));
    m_driveALabel->setText(DriveAText(m_services));
    m_driveALabel->setToolTip(Decoded(m_services.driveAPath));
    statusBar()->addPermanentWidget(m_driveALabel);
}

void TfmMain::updateRecentMenu()
{
    const auto& paths = m_recent.paths();
    for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        const bool used = i < paths.size();
        action->setVisible(used);
        if (used) {
            action->setText(Decoded(TRecentShows::MenuText(i, paths[i])));
            action->setStatusTip(Decoded(paths[i]));
        }
    }
    if (m_recentSeparator)
        m_recentSeparator->setVisible(!paths.empty());
}

void TfmMain::storeRecentShows()
{
    updateRecentMenu();
    if (!m_services.settings)
        return;
    QStringList stored;
    for (const std::string& path : m_recent.paths())
        stored.push_back(Decoded(path));
    m_services.settings->setValue(QString::fromLatin1(kSettingRecentShows), stored);
}

void TfmMain::rememberShow(const std::string& name)
{
    m_recent.add(Encoded(QFileInfo(Decoded(name)).absoluteFilePath()));
    storeRecentShows();
}

void TfmMain::openRecentShow(const QString& path)
{
    command([this, path] {
        if (!QFileInfo::exists(path)) {
            m_recent.remove(Encoded(path));
            storeRecentShows();
            m_ui->error(QString::fromLatin1(kMsgShowNotFound).arg(path).toStdString());
            return;
        }
        auto& g = m_state->globals;
        if (g.showChanged == 1 &&
            !m_ui->askYesNo(std::string(kMsgOpenNew) + "\n" + kMsgUnsavedLost, IUserInterface::Icon::Warning))
            return;
        g.newShow = 0;
        loadShow(Encoded(path));
    });
}

void TfmMain::chooseDisketteDrive()
{
    TfmDisketteDrive dialog(*m_ui, m_services.sysfsRoot, Decoded(m_services.driveAPath), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    useDriveA(Encoded(dialog.chosenPath()));
    StoreDriveA(m_services.settings, m_services.driveAPath);
}

void TfmMain::useDriveA(const std::string& path)
{
    m_services.driveAPath = path;
    m_services.disk = MakePosixDiskBackend(path, m_services.sysfsRoot);
    m_disk = std::make_unique<TDirDisk>(m_services.disk);
    m_disk->NeedWriteWarn = false;
    if (m_driveALabel) {
        m_driveALabel->setText(DriveAText(m_services));
        m_driveALabel->setToolTip(Decoded(path));
    }
}

} // namespace lumora
