#include "shell/RecoveryGuard.h"

#include "shell/MainMenu.h"
#include "show/Backups.h"
#include "show/LumoraError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <ctime>

namespace lumora {

namespace {

constexpr const char* kLockExtension = ".lock";
constexpr const char* kDamagedExtension = ".damaged";
constexpr std::chrono::milliseconds kRetryAfterCommand{1000};

std::string Encoded(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// The temporary files of a snapshot's safe save that a crash left behind (".NAME.*.tmp").
void RemoveUnfinishedWrites(const QDir& dir, const QString& snapshotName)
{
    const QString pattern = QLatin1Char('.') + snapshotName + QStringLiteral(".*.tmp");
    for (const QString& name : dir.entryList({pattern}, QDir::Files | QDir::Hidden))
        QFile::remove(dir.filePath(name));
}

} // namespace

std::string RecoverQuestion(const std::string& fileName, std::int64_t takenAt)
{
    const std::string show = fileName.empty() ? std::string(kTitleUntitled) : ExtractFileName(fileName);
    const QString time = QDateTime::fromSecsSinceEpoch(takenAt).toString(QStringLiteral("HH:mm"));
    return kMsgRecoverPrefix + show + kMsgRecoverMadeAt + time.toStdString() + "?";
}

QString EditorDataLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString RecoveryLocation()
{
    return EditorDataLocation() + QLatin1Char('/') + QString::fromLatin1(kRecoveryFolderName);
}

QString BackupsLocation()
{
    return EditorDataLocation() + QLatin1Char('/') + QString::fromLatin1(kBackupsFolderName);
}

std::chrono::milliseconds SnapshotIntervalFromEnvironment()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue(kSnapshotIntervalVariable, &ok);
    if (ok && seconds > 0)
        return std::chrono::seconds(seconds);
    return kSnapshotInterval;
}

TRecoveryGuard::TRecoveryGuard(TfmMain& main, const QString& folder, std::chrono::milliseconds interval,
                               QObject* parent)
    : QObject(parent), m_main(main), m_folder(folder)
{
    // The editor's own name: its process and the moment it started.
    const QString id =
        QStringLiteral("editor-%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
    const QDir dir(m_folder);
    m_snapshotPath = dir.filePath(id + QString::fromLatin1(kSnapshotExtension));
    m_lock = std::make_unique<QLockFile>(dir.filePath(id + QString::fromLatin1(kLockExtension)));
    m_lock->setStaleLockTime(0); // held for the whole run: only a holder that is gone frees it
    m_locked = !m_folder.isEmpty() && QDir().mkpath(m_folder) && m_lock->tryLock(0);

    connect(&m_main, &TfmMain::showSettled, this, [this] {
        if (m_main.state().globals.showChanged == 0)
            removeSnapshot();
    });
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &TRecoveryGuard::tick);
    m_timer.start();
    m_retry.setSingleShot(true);
    m_retry.setInterval(std::min(interval, kRetryAfterCommand));
    connect(&m_retry, &QTimer::timeout, this, &TRecoveryGuard::tick);
}

TRecoveryGuard::~TRecoveryGuard()
{
    if (m_locked) {
        removeSnapshot();
        m_writer.waitIdle();
        m_lock->unlock();
    }
}

void TRecoveryGuard::waitForWrites()
{
    m_writer.waitIdle();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TRecoveryGuard::tick()
{
    // A command in progress (a diskette transfer, a load or a save) lets events through
    // only to keep the screen alive; the show is not to be read in the middle of it.
    if (m_main.ui().busy()) {
        ++m_heldBack;
        m_retry.start();
        return;
    }
    snapshotNow();
}

bool TRecoveryGuard::snapshotNow()
{
    TEditorState& state = m_main.state();
    if (state.globals.showChanged == 0) {
        removeSnapshot();
        return false;
    }
    if (m_main.ui().busy())
        return false;
    if (!m_locked) {
        reportFailure(Encoded(m_folder) + ": the recovery folder cannot be used");
        return false;
    }
    try {
        CompileSnapshotImage(state, *m_scratch);
    } catch (const ELumoraError& e) {
        reportFailure(std::string(e.what()) + " (" + e.detail() + ")");
        return false;
    }
    const auto image = m_scratch->file();
    if (state.globals.fileName == m_lastName &&
        std::equal(image.begin(), image.end(), m_lastImage.begin(), m_lastImage.end()))
        return false; // the snapshot written last (or being written) holds this show already

    m_lastImage.assign(image.begin(), image.end());
    m_lastName = state.globals.fileName;
    m_writer.write(Encoded(m_snapshotPath), EncodeRecoverySnapshot(image, m_lastName, std::time(nullptr)),
                   [this](bool written, const std::string& why) {
                       QMetaObject::invokeMethod(
                           this, [this, written, why] { writeEnded(written, why); }, Qt::QueuedConnection);
                   });
    return true;
}

void TRecoveryGuard::writeEnded(bool written, const std::string& why)
{
    m_lastWriteOk = written;
    if (written) {
        ++m_written;
        m_failureShown = false;
        return;
    }
    m_lastImage.clear(); // the next tick tries again
    reportFailure(Encoded(m_snapshotPath) + ": " + why);
}

void TRecoveryGuard::removeSnapshot()
{
    if (m_locked)
        m_writer.remove(Encoded(m_snapshotPath));
    m_lastImage.clear();
    m_lastName.clear();
}

void TRecoveryGuard::reportFailure(const std::string& why)
{
    // Once, until a snapshot succeeds again: the timer must not bury the user in boxes.
    if (m_failureShown)
        return;
    m_failureShown = true;
    m_main.ui().warning(std::string(kMsgSnapshotFailed) + "\n" + why);
}

void TRecoveryGuard::putAside(const QString& path, const std::string& why)
{
    QString aside = path + QString::fromLatin1(kDamagedExtension);
    for (int n = 2; QFileInfo::exists(aside) && n < 1000; ++n)
        aside = path + QStringLiteral("-%1").arg(n) + QString::fromLatin1(kDamagedExtension);
    if (!QFile::rename(path, aside))
        aside = path; // it stays where it is, and is reported again at the next start
    m_main.ui().error(std::string(kMsgRecoveryDamaged) + "\n" + Encoded(aside) + "\n(" + why + ")");
}

bool TRecoveryGuard::offerLeftSnapshots()
{
    const QDir dir(m_folder);
    if (m_folder.isEmpty() || !dir.exists())
        return false;
    bool recovered = false;
    const QFileInfoList snapshots = dir.entryInfoList({QStringLiteral("*") + QString::fromLatin1(kSnapshotExtension)},
                                                      QDir::Files, QDir::Time); // newest first
    for (const QFileInfo& info : snapshots) {
        const QString path = info.absoluteFilePath();
        if (path == QFileInfo(m_snapshotPath).absoluteFilePath())
            continue;
        QLockFile lock(dir.filePath(info.completeBaseName() + QString::fromLatin1(kLockExtension)));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue; // its editor is still running (or the lock cannot be had): not ours to touch

        RemoveUnfinishedWrites(dir, info.fileName());
        std::string why;
        const auto snapshot = ReadRecoverySnapshot(Encoded(path), &why);
        if (!snapshot) {
            putAside(path, why);
            continue;
        }
        if (recovered)
            continue; // one show at a time: the others are offered at the next start
        switch (m_main.ui().askYesNoLater(RecoverQuestion(snapshot->fileName, snapshot->takenAt),
                                          IUserInterface::Icon::Warning)) {
        case IUserInterface::Answer::Yes: try { m_main.openRecoveredShow(*snapshot);
            } catch (const ELumoraError& e) {
                putAside(path, std::string(e.what()) + (e.detail().empty() ? "" : ": " + e.detail()));
                continue;
            }
            recovered = true;
            // This editor's own snapshot carries the changes on from here.
            if (snapshotNow()) {
                waitForWrites();
                if (m_lastWriteOk)
                    QFile::remove(path);
            }
            break;
        case IUserInterface::Answer::No: QFile::remove(path); break;
        case IUserInterface::Answer::Cancel: break; // Later: it stays for the next start
        }
    }

    // Locks of editors that ended without a snapshot and did not remove their lock.
    for (const QFileInfo& info :
         dir.entryInfoList({QStringLiteral("*") + QString::fromLatin1(kLockExtension)}, QDir::Files)) {
        if (info.absoluteFilePath() == QFileInfo(m_lock->fileName()).absoluteFilePath() ||
            QFileInfo::exists(dir.filePath(info.completeBaseName() + QString::fromLatin1(kSnapshotExtension))))
            continue;
        QLockFile stale(info.absoluteFilePath());
        stale.setStaleLockTime(0);
        if (stale.tryLock(0)) {
            RemoveUnfinishedWrites(dir, info.completeBaseName() + QString::fromLatin1(kSnapshotExtension));
            stale.unlock();
        }
    }
    return recovered;
}

} // namespace lumora
