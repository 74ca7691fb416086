// Crash recovery and backups in the editor: snapshots written while the show holds
// unsaved changes, offered back after an editor was killed, and the earlier version of
// a show kept by each Save that replaces it.

#include "show/Recovery.h"
#include "shell/Notes.h"
#include "shell/PlatformQt.h"
#include "shell/QtUserInterface.h"
#include "shell/RecoveryGuard.h"
#include "shell/ShellFixture.h"
#include "show/Backups.h"
#include "show/DskOpt.h"
#include "show/ShowFile.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <chrono>
#include <thread>

using namespace lumora;
using namespace lumora::test;
using namespace std::chrono_literals;
using Reply = IMessagePresenter::Reply;
using Buttons = IMessagePresenter::Buttons;

namespace {

std::string Encoded(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QStringList Snapshots(const QString& folder)
{
    QStringList paths;
    for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.snapshot")}, QDir::Files))
        paths << info.absoluteFilePath();
    return paths;
}

// The snapshots in folder that read back whole.
QStringList GoodSnapshots(const QString& folder)
{
    QStringList good;
    for (const QString& path : Snapshots(folder))
        if (ReadRecoverySnapshot(Encoded(path)))
            good << path;
    return good;
}

// The editor program, started offscreen with the test's own home and data folders and
// a one-second snapshot interval.
class TChildEditor final {
public:
    TChildEditor(const QString& home, const QString& dataHome, const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QString::fromLatin1(kSnapshotIntervalVariable), QStringLiteral("1"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(LUMORA_EDITOR_PATH), args);
    }
    ~TChildEditor() { crash(); }

    bool started() { return m_process.waitForStarted(10000); }
    bool running() const { return m_process.state() == QProcess::Running; }
    // SIGKILL: no destructor, no clean-up of any kind runs.
    void crash()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

private:
    QProcess m_process;
};

void AnswerOptions(bool ok)
{
    OnNextModal([=](QWidget* w) {
        auto* options = qobject_cast<TfmDskOpt*>(w);
        QVERIFY(options);
        auto* all = options->findChild<QCheckBox*>(QStringLiteral("chkAll"));
        if (!all->isChecked())
            QTest::mouseClick(all, Qt::LeftButton);
        QTest::mouseClick(options->findChild<QPushButton*>(ok ? QStringLiteral("btnOK") : QStringLiteral("btnCancel")),
                          Qt::LeftButton);
    });
}

// Types into the Notes window through its real controls and keeps the text.
void TypeNotes(TShellHarness& h, const QString& text)
{
    OnNextModal([&h, text](QWidget* w) {
        auto* notes = qobject_cast<TfmNotes*>(w);
        QVERIFY(notes);
        QTest::keyClicks(notes->findChild<QPlainTextEdit*>(QStringLiteral("Memo1")), text);
        h.messages.answerYes(); // "Do you want to keep the changes you have made?"
        QTest::mouseClick(notes->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    });
    h.trigger("mnuShowNotes");
}

// A diskette in memory that takes its time, and lets a test look in while it is written.
class TSlowDiskette final : public IRawDiskBackend {
public:
    std::vector<std::uint8_t> medium = std::vector<std::uint8_t>(kDisketteBytes, 0);
    std::function<void()> onWrite;
    int writes = 0;

    bool isRemovable(char drive) override { return drive == 'A'; }
    bool open(char, bool, bool) override { return true; }
    bool readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t length) override
    {
        std::memcpy(buffer, medium.data() + offset, length);
        return true;
    }
    bool writeAt(std::uint64_t offset, const std::uint8_t* buffer, std::size_t length) override
    {
        if (onWrite)
            onWrite();
        if (++writes % 16 == 0)
            std::this_thread::sleep_for(2ms);
        std::memcpy(medium.data() + offset, buffer, length);
        return true;
    }
    bool flush() override { return true; }
    bool close() override { return true; }
};

} // namespace

class TestRecovery final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dataFolderIsTheOneTheCommandLineUses();
    void recoveryQuestionHasYesNoAndLater();
    void saveDialogStartsAtAFileItIsGiven();
    void snapshotFollowsTheShowAndGoesWithSaveNewAndCleanExit();
    void killedEditorsChangesAreOfferedAndRecoveredByteForByte();
    void liveEditorsSnapshotIsLeftAloneLaterKeepsItNoDeletesIt();
    void damagedSnapshotIsReportedAndPutAside();
    void noSnapshotIsWrittenWhileADiskTransferRuns();
    void saveKeepsTheVersionItReplacesTenAtMost();
    void backupThatCannotBeWrittenStopsTheSave();
    void openBackupStartsInTheBackupsFolder();

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_dataHome;
};

void TestRecovery::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    m_dataHome = m_temp->filePath(QStringLiteral("data"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome));
}

void TestRecovery::cleanup()
{
    QCOMPARE(PendingModalHandlers(), 0);
    CancelModalHandlers();
}

void TestRecovery::dataFolderIsTheOneTheCommandLineUses()
{
    TShellHarness h; // the program's application name
    QCOMPARE(EditorDataLocation(), m_dataHome + QStringLiteral("/Lumora Offline Editor"));
    QCOMPARE(Encoded(EditorDataLocation()), EditorDataFolder());
    QCOMPARE(Encoded(BackupsLocation()), DefaultBackupsFolder());
    QCOMPARE(EditorDataLocation(), QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));

    qunsetenv("XDG_DATA_HOME");
    QCOMPARE(Encoded(EditorDataLocation()), EditorDataFolder());
    QCOMPARE(EditorDataLocation(), QDir::homePath() + QStringLiteral("/.local/share/Lumora Offline Editor"));
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(m_temp->path()) + "//");
    QCOMPARE(Encoded(EditorDataLocation()), EditorDataFolder());
    qputenv("HOME", home);
}

void TestRecovery::recoveryQuestionHasYesNoAndLater()
{
    // The desktop's box: Yes, No and Later, which (as closing the box) keeps the snapshot.
    TMessageBoxPresenter presenter;
    QStringList buttons;
    OnNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        for (QAbstractButton* b : box->buttons())
            buttons << b->text().remove(QLatin1Char('&'));
        QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
    });
    QCOMPARE(presenter.present(IUserInterface::Icon::Warning, QStringLiteral("q"), Buttons::YesNoLater), Reply::Cancel);
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("Later"), QStringLiteral("No"), QStringLiteral("Yes")}));

    TScriptedPresenter scripted;
    TQtUserInterface ui(scripted);
    scripted.answerNo();
    QCOMPARE(ui.askYesNoLater("q", IUserInterface::Icon::Warning), IUserInterface::Answer::No);
    QCOMPARE(scripted.boxes.back().buttons, Buttons::YesNoLater);

    const std::int64_t at = QDateTime(QDate(2026, 5, 6), QTime(7, 8)).toSecsSinceEpoch();
    QCOMPARE(RecoverQuestion("/shows/Act 1.lmr", at),
             std::string("The editor was not closed properly. Recover the changes to Act 1.lmr made at 07:08?"));
    QCOMPARE(RecoverQuestion("", at),
             std::string("The editor was not closed properly. Recover the changes to Untitled made at 07:08?"));
}

void TestRecovery::saveDialogStartsAtAFileItIsGiven()
{
    // The desktop's Save dialog given a show's path (where a recovered show came from):
    // it starts in that folder with that name, which is chosen as it stands.
    TQtShellDialogs dialogs;
    const QString old = m_temp->filePath(QStringLiteral("Act 1.lmr"));
    QString directory;
    OnNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        directory = dialog->directory().absolutePath();
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto chosen = dialogs.saveShowFile(nullptr, old);
    QVERIFY(chosen);
    QCOMPARE(*chosen, old);
    QCOMPARE(directory, QDir(m_temp->path()).absolutePath());
}

void TestRecovery::snapshotFollowsTheShowAndGoesWithSaveNewAndCleanExit()
{
    TShellHarness h;
    auto guard = std::make_unique<TRecoveryGuard>(*h.main, RecoveryLocation(), 10ms);
    QVERIFY(guard->locked());
    const QString snapshot = guard->snapshotPath();
    QTest::qWait(60);
    QVERIFY(!QFileInfo::exists(snapshot)); // nothing unsaved, nothing kept

    TypeNotes(h, QStringLiteral("Pick up cue 12"));
    QCOMPARE(h.globals().showChanged, 1);
    QTRY_VERIFY(QFileInfo::exists(snapshot));
    auto taken = ReadRecoverySnapshot(Encoded(snapshot));
    QVERIFY(taken);
    {
        TRecordingUi ui;
        TEditorState state(ui);
        LoadRecoverySnapshot(state, *taken);
        QCOMPARE(state.globals.notes, std::string("Pick up cue 12"));
    }

    // An unchanged show is not written again; a change is.
    const int written = guard->snapshotsWritten();
    QTest::qWait(60);
    QCOMPARE(guard->snapshotsWritten(), written);
    TypeNotes(h, QStringLiteral(" and 13"));
    QTRY_COMPARE(guard->snapshotsWritten(), written + 1);
    taken = ReadRecoverySnapshot(Encoded(snapshot));
    QVERIFY(taken);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(taken->image.data() + kNotesOffset), 21),
             QByteArray("Pick up cue 12 and 13"));

    const QString show = h.path(QStringLiteral("saved.lmr"));
    h.dialogs.saveAnswers.push_back(show);
    h.trigger("mnuSaveAs");
    QCOMPARE(h.globals().showChanged, 0);
    guard->waitForWrites();
    QVERIFY(!QFileInfo::exists(snapshot)); // Save removes it at once
    QTest::qWait(60);
    QVERIFY(!QFileInfo::exists(snapshot));

    h.messages.answerYes();
    h.trigger("mnuResetSubs");
    QTRY_VERIFY(QFileInfo::exists(snapshot));
    taken = ReadRecoverySnapshot(Encoded(snapshot));
    QVERIFY(taken);
    QCOMPARE(QString::fromStdString(taken->fileName), show);
    h.messages.answerYes();
    h.trigger("mnuNew");
    guard->waitForWrites();
    QVERIFY(!QFileInfo::exists(snapshot)); // New removes it

    h.messages.answerYes();
    h.trigger("mnuResetMacros");
    QTRY_VERIFY(QFileInfo::exists(snapshot));
    guard.reset(); // a clean exit
    QVERIFY(!QFileInfo::exists(snapshot));
    QCOMPARE(QDir(RecoveryLocation()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(h.messages.allAnswered());
}

void TestRecovery::killedEditorsChangesAreOfferedAndRecoveredByteForByte()
{
    // A show with something in every kind, saved by the editor.
    const QString original = m_temp->filePath(QStringLiteral("Act 1.lmr"));
    QByteArray expected;
    {
        TRecordingUi ui;
        TEditorState state(ui);
        test::FillRandomShow(state.show(), 5);
        state.globals.notes = "Act 1";
        SaveShowFile(state, Encoded(original));
        // What the killed editor held: the file with its notes added to.
        state.globals.notes = "Act 1, check the fog";
        const QString after = m_temp->filePath(QStringLiteral("expected.lmr"));
        SaveShowFile(state, Encoded(after));
        expected = ReadFile(after);
    }
    const QByteArray originalBytes = ReadFile(original);

    const QString recovery = m_dataHome + QStringLiteral("/Lumora Offline Editor/recovery");
    {
        TChildEditor child(m_temp->filePath(QStringLiteral("home")), m_dataHome,
                           {original, QStringLiteral("--append-notes"), QStringLiteral(", check the fog")});
        QVERIFY(child.started());
        QTRY_VERIFY_WITH_TIMEOUT(!GoodSnapshots(recovery).isEmpty(), 30000);
        QVERIFY(child.running());
        child.crash();
    }
    QCOMPARE(GoodSnapshots(recovery).size(), 1);
    const QString left = GoodSnapshots(recovery).front();
    QCOMPARE(ReadFile(original), originalBytes); // the show file itself was never touched

    TShellHarness h;
    TRecoveryGuard guard(*h.main, RecoveryLocation(), 1h);
    h.messages.answerYes();
    QVERIFY(guard.offerLeftSnapshots());
    QCOMPARE(h.messages.boxes.size(), std::size_t{1});
    const auto& box = h.messages.boxes.front();
    QCOMPARE(box.buttons, Buttons::YesNoLater);
    QVERIFY2(box.text.startsWith(
                 QStringLiteral("The editor was not closed properly. Recover the changes to Act 1.lmr made at ")),
             qPrintable(box.text));
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));
    QCOMPARE(h.globals().showChanged, 1);
    QCOMPARE(h.globals().notes, std::string("Act 1, check the fog"));
    // The recovered changes now live in this editor's own snapshot.
    QVERIFY(!QFileInfo::exists(left));
    QCOMPARE(GoodSnapshots(recovery), QStringList{QFileInfo(guard.snapshotPath()).absoluteFilePath()});

    // Save As offers the show's own file; saved elsewhere it is the killed editor's show.
    const QString saved = h.path(QStringLiteral("recovered.lmr"));
    h.dialogs.saveAnswers.push_back(saved);
    h.trigger("mnuSave");
    QCOMPARE(h.dialogs.folders.back(), original);
    QCOMPARE(ReadFile(saved), expected);
    QCOMPARE(h.globals().showChanged, 0);
    guard.waitForWrites();
    QVERIFY(GoodSnapshots(recovery).isEmpty());
    QVERIFY(h.messages.allAnswered());
}

void TestRecovery::liveEditorsSnapshotIsLeftAloneLaterKeepsItNoDeletesIt()
{
    const QString recovery = m_dataHome + QStringLiteral("/Lumora Offline Editor/recovery");
    TChildEditor first(m_temp->filePath(QStringLiteral("home")), m_dataHome,
                       {QStringLiteral("--append-notes"), QStringLiteral("first editor")});
    QVERIFY(first.started());
    QTRY_VERIFY_WITH_TIMEOUT(!GoodSnapshots(recovery).isEmpty(), 30000);
    const QString theirs = GoodSnapshots(recovery).front();
    const QByteArray theirBytes = ReadFile(theirs);

    {
        // A second editor while the first runs: no question, and its own snapshot apart.
        TShellHarness h;
        TRecoveryGuard second(*h.main, RecoveryLocation(), 1h);
        QVERIFY(!second.offerLeftSnapshots());
        QVERIFY(h.messages.boxes.empty());
        h.globals().notes = "second editor";
        h.globals().showChanged = 1;
        QVERIFY(second.snapshotNow());
        second.waitForWrites();
        QCOMPARE(second.snapshotsWritten(), 1);
        QVERIFY(second.snapshotPath() != theirs);
        QCOMPARE(Snapshots(recovery).size(), 2);
    }
    QCOMPARE(Snapshots(recovery), QStringList{theirs}); // the second one's went with its clean exit
    QCOMPARE(ReadFile(theirs), theirBytes);
    QVERIFY(first.running());

    first.crash();
    {
        TShellHarness h;
        TRecoveryGuard later(*h.main, RecoveryLocation(), 1h);
        h.messages.answerCancel(); // Later
        QVERIFY(!later.offerLeftSnapshots());
        QCOMPARE(h.messages.boxes.size(), std::size_t{1});
        QCOMPARE(ReadFile(theirs), theirBytes);
        QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));
        QCOMPARE(h.globals().showChanged, 0);
    }
    {
        TShellHarness h;
        TRecoveryGuard no(*h.main, RecoveryLocation(), 1h);
        h.messages.answerNo();
        QVERIFY(!no.offerLeftSnapshots());
        QCOMPARE(h.messages.boxes.size(), std::size_t{1});
        QVERIFY(!QFileInfo::exists(theirs));
        QCOMPARE(h.globals().notes, std::string());
    }
    // Nothing is left behind: no snapshot, no lock.
    QCOMPARE(QDir(recovery).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestRecovery::damagedSnapshotIsReportedAndPutAside()
{
    const QString recovery = m_dataHome + QStringLiteral("/Lumora Offline Editor/recovery");
    QDir().mkpath(recovery);
    // One cut short, one whole but with a cue section no editor writes.
    QByteArray cut;
    {
        TRecordingUi ui;
        TEditorState state(ui);
        const auto bytes = EncodeRecoverySnapshot(state.image().file(), "/shows/cut.lmr", 1000);
        cut = QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size() - 100));
    }
    std::vector<std::uint8_t> image(kShowFileSize, 0);
    image[kCueOffset + 512] = 1;
    image[kCueOffset + 514] = 5; // no such cue type
    const auto badBytes = EncodeRecoverySnapshot(image, "/shows/bad.lmr", 2000);
    const QByteArray bad(reinterpret_cast<const char*>(badBytes.data()), static_cast<qsizetype>(badBytes.size()));
    const QString cutPath = recovery + QStringLiteral("/editor-1-1.snapshot");
    const QString badPath = recovery + QStringLiteral("/editor-2-2.snapshot");
    WriteFile(cutPath, cut);
    WriteFile(badPath, bad);

    TShellHarness h;
    TRecoveryGuard guard(*h.main, RecoveryLocation(), 1h);
    h.messages.answerYes(); // the whole one is offered; taking it fails
    QVERIFY(!guard.offerLeftSnapshots());
    QStringList errors;
    for (const auto& box : h.messages.boxes)
        if (box.icon == IUserInterface::Icon::Error)
            errors << box.text;
    QCOMPARE(errors.size(), 2);
    for (const QString& text : errors)
        QVERIFY2(text.startsWith(QString::fromLatin1(kMsgRecoveryDamaged)), qPrintable(text));
    // Kept aside under another name, byte for byte; never loaded in part.
    QVERIFY(!QFileInfo::exists(cutPath));
    QVERIFY(!QFileInfo::exists(badPath));
    QCOMPARE(ReadFile(cutPath + QStringLiteral(".damaged")), cut);
    QCOMPARE(ReadFile(badPath + QStringLiteral(".damaged")), bad);
    QCOMPARE(h.globals().showChanged, 0);
    QVERIFY(h.state().show().cueList.count == 0);
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));

    h.messages.clear();
    QVERIFY(!guard.offerLeftSnapshots()); // reported once, then left where it lies
    QVERIFY(h.messages.boxes.empty());
}

void TestRecovery::noSnapshotIsWrittenWhileADiskTransferRuns()
{
    TScriptedPresenter messages;
    TFakeDialogs dialogs;
    TFakeHelp help;
    TFixedShowsFolder shows(m_temp->filePath(QStringLiteral("My Shows")));
    auto disk = std::make_shared<TSlowDiskette>();
    TShellServices services;
    services.messages = &messages;
    services.dialogs = &dialogs;
    services.showsFolder = &shows;
    services.help = &help;
    services.disk = disk;
    auto main = StartEditor(services, {});
    test::FillRandomShow(main->state().show(), 9, {.cues = 400});
    main->state().globals.showChanged = 1;

    // The timer starts with the transfer, and would be due many times over while it runs.
    std::unique_ptr<TRecoveryGuard> guard;
    int writtenDuringTransfer = 0;
    bool busyThroughout = true;
    disk->onWrite = [&] {
        if (!guard)
            guard = std::make_unique<TRecoveryGuard>(*main, RecoveryLocation(), 1ms);
        writtenDuringTransfer += guard->snapshotsWritten();
        busyThroughout = busyThroughout && main->ui().busy();
    };
    AnswerOptions(true);
    main->findChild<QAction*>(QStringLiteral("mnuWriteShowDisk"))->trigger();
    QVERIFY(messages.boxes.empty());
    QVERIFY(guard);
    QVERIFY(disk->writes > 100);
    QVERIFY(busyThroughout);
    QCOMPARE(writtenDuringTransfer, 0);
    QCOMPARE(guard->snapshotsWritten(), 0);
    QVERIFY(!QFileInfo::exists(guard->snapshotPath()));
    QVERIFY(guard->ticksHeldBack() > 0); // it did come due during the transfer

    // Once the transfer is over, the snapshot follows.
    QTRY_COMPARE(guard->snapshotsWritten(), 1);
    QVERIFY(ReadRecoverySnapshot(Encoded(guard->snapshotPath())));
    guard.reset();
    main.reset();
}

void TestRecovery::saveKeepsTheVersionItReplacesTenAtMost()
{
    TShellHarness h;
    const QString show = h.path(QStringLiteral("Finale.lmr"));
    h.globals().notes = "save 1";
    h.dialogs.saveAnswers.push_back(show);
    h.trigger("mnuSaveAs");
    QVERIFY(h.messages.boxes.empty());
    const std::string root = Encoded(BackupsLocation());
    QVERIFY(ListBackups(root, "Finale").empty()); // the first save of a new file replaces nothing

    QByteArray previous = ReadFile(show);
    for (int save = 2; save <= 12; ++save) {
        h.globals().notes = "save " + std::to_string(save);
        h.globals().showChanged = 1;
        h.trigger(save % 2 ? "mnuSave" : "tbSave");
        QCOMPARE(h.globals().showChanged, 0);
        const auto kept = ListBackups(root, "Finale");
        QCOMPARE(kept.size(), std::min<std::size_t>(save - 1, 10));
        QCOMPARE(ReadFile(QFile::decodeName(QByteArray::fromStdString(kept.back()))), previous);
        QVERIFY(QFileInfo(QFile::decodeName(QByteArray::fromStdString(kept.back())))
                    .fileName()
                    .contains(QRegularExpression(QStringLiteral("^Finale-\\d{8}-\\d{6}(-\\d+)?\\.lmr$"))));
        previous = ReadFile(show);
    }
    // Eleven saves replaced versions 1 to 11: the newest ten, from version 2 on, are kept.
    const auto kept = ListBackups(root, "Finale");
    TRecordingUi ui;
    TEditorState oldest(ui);
    oldest.setAllPresent();
    LoadShowFile(oldest, kept.front());
    QCOMPARE(oldest.globals.notes, std::string("save 2"));
    QVERIFY(h.messages.boxes.empty());
}

void TestRecovery::backupThatCannotBeWrittenStopsTheSave()
{
    TShellHarness h;
    const QString show = h.path(QStringLiteral("Finale.lmr"));
    h.dialogs.saveAnswers.push_back(show);
    h.trigger("mnuSaveAs");
    const QByteArray before = ReadFile(show);

    // A file where the backups folder should be.
    QDir().mkpath(EditorDataLocation());
    WriteFile(BackupsLocation(), "not a folder");
    h.globals().notes = "unsaved";
    h.globals().showChanged = 1;
    h.trigger("mnuSave");
    QCOMPARE(h.messages.boxes.size(), std::size_t{1});
    QCOMPARE(h.messages.boxes[0].icon, IUserInterface::Icon::Error);
    QVERIFY2(h.messages.boxes[0].text.startsWith(QString::fromLatin1(kMsgBackupFailed) + QLatin1Char('\n')),
             qPrintable(h.messages.boxes[0].text));
    QCOMPARE(ReadFile(show), before);
    QCOMPARE(h.globals().showChanged, 1);
    QCOMPARE(h.globals().notes, std::string("unsaved"));
    QCOMPARE(QDir(h.temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Finale.lmr")});
}

void TestRecovery::openBackupStartsInTheBackupsFolder()
{
    TShellHarness h;
    const QString show = h.path(QStringLiteral("Finale.lmr"));
    h.globals().notes = "first version";
    h.dialogs.saveAnswers.push_back(show);
    h.trigger("mnuSaveAs");
    h.globals().notes = "second version";
    h.trigger("mnuSave");
    const auto kept = ListBackups(Encoded(BackupsLocation()), "Finale");
    QCOMPARE(kept.size(), std::size_t{1});
    const QString backup = QFile::decodeName(QByteArray::fromStdString(kept[0]));

    auto* item = h.action("mnuOpenBackup");
    QCOMPARE(item->text().remove(QLatin1Char('&')), QStringLiteral("Open Backup..."));
    h.dialogs.openAnswers.push_back(backup);
    item->trigger();
    QCOMPARE(h.dialogs.folders.back(), BackupsLocation());
    QCOMPARE(h.dialogs.openTitles.back(), QStringLiteral("Open Backup"));
    QCOMPARE(h.globals().notes, std::string("first version"));
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - ") + QFileInfo(backup).fileName());
    QCOMPARE(h.globals().showChanged, 0);

    // A changed show asks first, as Open does.
    h.globals().showChanged = 1;
    h.messages.answerNo();
    item->trigger();
    QCOMPARE(h.messages.texts().size(), 1);
    QCOMPARE(h.globals().notes, std::string("first version"));
}

int RunRecoveryTests(int argc, char** argv)
{
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "RecoveryTest.moc"
