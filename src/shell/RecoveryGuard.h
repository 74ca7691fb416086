#pragma once

// Crash recovery in the editor. While the show holds unsaved changes, a snapshot of it is
// written every two minutes into the recovery folder, under a name of this editor's own
// that a lock file guards for as long as the editor runs. A Save, New, Open and a clean
// exit remove it. At start, the snapshots of editors that did not exit cleanly (their
// lock is free: the holder is gone) are offered back; a live editor's are left alone.

#include "show/Recovery.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>
#include <string>

namespace lumora {

class TfmMain;

inline constexpr const char* kMsgRecoverPrefix = "The editor was not closed properly. Recover the changes to ";
inline constexpr const char* kMsgRecoverMadeAt = " made at ";
inline constexpr const char* kMsgRecoveryDamaged =
    "The editor was not closed properly, but the changes it kept cannot be read back. They have been put aside as:";
inline constexpr const char* kMsgSnapshotFailed =
    "The editor cannot keep a recovery copy of the show. Save the show to keep your changes safe.";
inline constexpr std::chrono::seconds kSnapshotInterval{120};
// Tests shorten the interval with this environment variable (whole seconds).
inline constexpr const char* kSnapshotIntervalVariable = "LUMORA_AUTOSAVE_SECONDS";

// "The editor was not closed properly. Recover the changes to SHOW made at HH:MM?"
// (SHOW: the file's name, or "Untitled"; HH:MM in local time).
std::string RecoverQuestion(const std::string& fileName, std::int64_t takenAt);

// The editor's data folder (the desktop's application data location) and the folders in it.
QString EditorDataLocation();
QString RecoveryLocation();
QString BackupsLocation();

// The interval between snapshots: kSnapshotInterval, or the test variable's seconds.
std::chrono::milliseconds SnapshotIntervalFromEnvironment();

class TRecoveryGuard final : public QObject {
    Q_OBJECT

public:
    // Takes this editor's lock in folder (made when missing) and starts the timer.
    TRecoveryGuard(TfmMain& main, const QString& folder, std::chrono::milliseconds interval, QObject* parent = nullptr);
    // A clean exit: the snapshot goes, then the lock.
    ~TRecoveryGuard() override;

    // Offers, one by one, the snapshots that editors which did not exit cleanly left
    // behind. Yes takes one into the editor (once per call: the others wait for the next
    // start), No deletes it, Later keeps it. A damaged one is reported and renamed aside.
    // True when a show was recovered.
    bool offerLeftSnapshots();

    // Starts writing the snapshot when the show holds unsaved changes that the snapshot
    // on disk lacks and no command runs (the timer calls this); the disk work runs on the
    // writer's thread. True when a write was started.
    bool snapshotNow();
    // Waits until the writes and removals asked so far are done, and takes their results.
    void waitForWrites();

    bool locked() const { return m_locked; }
    QString snapshotPath() const { return m_snapshotPath; }
    int snapshotsWritten() const { return m_written; }
    int ticksHeldBack() const { return m_heldBack; } // by a command that was running

private:
    void tick();
    void writeEnded(bool written, const std::string& why);
    void removeSnapshot();
    void putAside(const QString& path, const std::string& why);
    void reportFailure(const std::string& why);

    TfmMain& m_main;
    QString m_folder;
    QString m_snapshotPath;
    std::unique_ptr<QLockFile> m_lock;
    bool m_locked = false;
    QTimer m_timer;
    QTimer m_retry; // a tick that met a running command comes back soon after
    std::unique_ptr<TShowImage> m_scratch = std::make_unique<TShowImage>();
    std::vector<std::uint8_t> m_lastImage; // what the snapshot on disk holds
    std::string m_lastName;
    int m_written = 0;
    int m_heldBack = 0;
    bool m_failureShown = false;
    bool m_lastWriteOk = false;
    TSnapshotWriter m_writer; // last: its thread ends before anything it reports to
};

} // namespace lumora
