// The main window's desktop items: recent shows in the File menu, File > Diskette Drive...
// and the status bar field naming drive A, with settings in a file of the test's own.

#include "shell/DisketteDrive.h"
#include "shell/ShellFixture.h"
#include "show/DskOpt.h"
#include "show/RemovableDrives.h"
#include "show/ShowDisk.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include "support/RecordingUi.h"

using namespace lumora;
using namespace lumora::test;

namespace {

const QString kOpenNewQuestion =
    QStringLiteral("Are you sure you want to open a new project?\nAny unsaved data will be lost.");

// The editor as the program starts it, with its settings in settingsFile. Without a disk
// of its own it finds drive A as the program does (the stored choice, else /dev/fd0).
class TDesktopHarness final {
public:
    TDesktopHarness(const QString& settingsFile, const QString& sysRoot, bool memoryDisk = true)
        : settings(settingsFile, QSettings::IniFormat), folder(QDir::tempPath())
    {
        services.messages = &messages;
        services.dialogs = &dialogs;
        services.showsFolder = &folder;
        services.help = &help;
        services.settings = &settings;
        services.sysfsRoot = QFile::encodeName(sysRoot).toStdString();
        if (memoryDisk)
            services.disk = std::make_shared<TMemoryDiskette>();
        main = StartEditor(services, {});
        messages.watch(main.get());
    }
    ~TDesktopHarness()
    {
        messages.watch(nullptr);
        main.reset();
    }

    QAction* action(const QString& name) const { return main->findChild<QAction*>(name); }
    void trigger(const QString& name) const
    {
        QAction* a = action(name);
        QVERIFY2(a, qPrintable(name));
        a->trigger();
    }
    // The texts of the recent-show items the File menu shows.
    QStringList recentItems() const
    {
        QStringList texts;
        for (int i = 1; i <= 8; ++i)
            if (QAction* a = action(QStringLiteral("mnuRecent%1").arg(i)); a && a->isVisible())
                texts << a->text();
        return texts;
    }
    QString driveField() const { return main->findChild<QLabel*>(QStringLiteral("lblDriveA"))->text(); }

    QSettings settings;
    TScriptedPresenter messages;
    TFakeDialogs dialogs;
    TFakeHelp help;
    TFixedShowsFolder folder;
    TShellServices services;
    std::unique_ptr<TfmMain> main;
};

void Put(const QString& file, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(file).path());
    WriteFile(file, bytes);
}

// A made-up /sys: a USB floppy with a diskette in it, an empty one, a hard disk and a CD drive.
void MakeSysTree(const QString& root)
{
    Put(root + "/block/sdb/removable", "1\n");
    Put(root + "/block/sdb/size", "2880\n");
    Put(root + "/block/sdb/device/vendor", "TEAC    \n");
    Put(root + "/block/sdb/device/model", "USB floppy      \n");
    Put(root + "/block/sdc/removable", "1\n");
    Put(root + "/block/sdc/size", "0\n");
    Put(root + "/block/sdc/device/model", "FD-05PUB\n");
    Put(root + "/block/sda/removable", "0\n");
    Put(root + "/block/sda/size", "976773168\n");
    Put(root + "/block/sr0/removable", "1\n");
    Put(root + "/block/sr0/device/type", "5\n");
}

QStringList Row(const QAbstractItemModel& model, int row)
{
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(row, column).data().toString();
    return cells;
}

void AnswerShowOptions()
{
    OnNextModal([](QWidget* w) {
        auto* options = qobject_cast<TfmDskOpt*>(w);
        QVERIFY(options);
        if (!options->findChild<QCheckBox*>(QStringLiteral("chkAll"))->isChecked())
            QTest::mouseClick(options->findChild<QCheckBox*>(QStringLiteral("chkAll")), Qt::LeftButton);
        QTest::mouseClick(options->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    });
}

} // namespace

class TestDesktop final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qunsetenv("LUMORA_DRIVE_A"); }
    void init() { QVERIFY(m_temp.isValid()); }
    void cleanup()
    {
        QCOMPARE(PendingModalHandlers(), 0);
        CancelModalHandlers();
    }

    void recentShowsFollowOpenAndSaveAndAreKept();
    void aRecentShowOpensAsFileOpenDoes();
    void aMissingRecentShowIsReportedAndDropped();
    void theDialogListsTheRemovableDrives();
    void theDialogRefusesWhatIsNotADisketteImage();
    void aNewBlankImageBecomesDriveAForReadAndWrite();
    void theOptionWinsOverTheStoredChoice();

private:
    QString path(const QString& name) const { return m_temp.filePath(name); }
    QTemporaryDir m_temp;
};

void TestDesktop::recentShowsFollowOpenAndSaveAndAreKept()
{
    const QString settings = path(QStringLiteral("recent.ini"));
    for (int i = 1; i <= 9; ++i)
        WriteFile(path(QStringLiteral("Show %1.lmr").arg(i)), ShowFileBytes());
    {
        TDesktopHarness h(settings, path(QStringLiteral("sys")));
        QVERIFY(h.recentItems().isEmpty());
        QVERIFY(!h.action(QStringLiteral("mnuRecent1"))->isVisible());
        // In the File menu: Diskette Drive... after the diskette commands, the shows above Exit.
        QStringList names;
        for (QAction* a : h.main->findChild<QMenu*>(QStringLiteral("mnuFile"))->actions())
            names << a->objectName();
        QCOMPARE(names.indexOf("mnuDisketteDrive"), names.indexOf("mnuWriteShowDisk") + 1);
        QCOMPARE(names.indexOf("mnuRecent8") + 2, names.indexOf("mnuExit")); // and a separator
        QCOMPARE(names.indexOf("mnuRecent1") + 7, names.indexOf("mnuRecent8"));

        h.dialogs.openAnswers.push_back(path(QStringLiteral("Show 1.lmr")));
        h.trigger(QStringLiteral("mnuOpen"));
        h.dialogs.saveAnswers.push_back(path(QStringLiteral("R&J.lmr")));
        h.trigger(QStringLiteral("mnuSaveAs"));
        QCOMPARE(h.recentItems(), (QStringList{QStringLiteral("&1 R&&J.lmr"), QStringLiteral("&2 Show 1.lmr")}));
        QCOMPARE(h.action(QStringLiteral("mnuRecent1"))->statusTip(), path(QStringLiteral("R&J.lmr")));

        for (int i = 2; i <= 9; ++i) {
            h.dialogs.openAnswers.push_back(path(QStringLiteral("Show %1.lmr").arg(i)));
            h.trigger(QStringLiteral("mnuOpen"));
        }
        h.dialogs.openAnswers.push_back(path(QStringLiteral("Show 5.lmr"))); // again: back to the top
        h.trigger(QStringLiteral("mnuOpen"));
        QVERIFY(h.messages.boxes.empty());
        QCOMPARE(h.recentItems(), (QStringList{"&1 Show 5.lmr", "&2 Show 9.lmr", "&3 Show 8.lmr", "&4 Show 7.lmr",
                                               "&5 Show 6.lmr", "&6 Show 4.lmr", "&7 Show 3.lmr", "&8 Show 2.lmr"}));
    }
    // The next start finds the same list.
    TDesktopHarness again(settings, path(QStringLiteral("sys")));
    QCOMPARE(again.recentItems().size(), 8);
    QCOMPARE(again.recentItems().front(), QStringLiteral("&1 Show 5.lmr"));
    QCOMPARE(again.recentItems().back(), QStringLiteral("&8 Show 2.lmr"));
}

void TestDesktop::aRecentShowOpensAsFileOpenDoes()
{
    const QString good = path(QStringLiteral("Opening Night.lmr"));
    const QString shortFile = path(QStringLiteral("Short.lmr"));
    WriteFile(good, ShowFileBytes());
    WriteFile(shortFile, ShowFileBytes());
    {
        QSettings settings(path(QStringLiteral("open.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("RecentShows/paths"), QStringList{good, shortFile});
    }
    TDesktopHarness h(path(QStringLiteral("open.ini")), path(QStringLiteral("sys")));
    QCOMPARE(h.recentItems(), (QStringList{"&1 Opening Night.lmr", "&2 Short.lmr"}));

    // A changed show: the same question as File > Open, and No leaves everything as it was.
    h.main->state().globals.showChanged = 1;
    h.messages.answerNo();
    h.trigger(QStringLiteral("mnuRecent1"));
    QCOMPARE(h.messages.texts(), QStringList{kOpenNewQuestion});
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));

    h.messages.clear();
    h.messages.answerYes();
    h.trigger(QStringLiteral("mnuRecent1"));
    QCOMPARE(h.messages.texts(), QStringList{kOpenNewQuestion});
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Opening Night.lmr"));
    QCOMPARE(h.main->state().globals.showChanged, 0);

    // The same checks: a file of the wrong size is refused with File > Open's message.
    WriteFile(shortFile, ShowFileBytes().left(1000));
    h.messages.clear();
    h.trigger(QStringLiteral("mnuRecent2"));
    QCOMPARE(h.messages.texts(),
             QStringList{QStringLiteral(
                 "The file you selected is incompatible with this version of the Lumora Offline Editor.")});
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Opening Night.lmr"));
    QCOMPARE(h.recentItems().size(), 2); // it is still there: it may be put right
}

void TestDesktop::aMissingRecentShowIsReportedAndDropped()
{
    const QString gone = path(QStringLiteral("Gone.lmr"));
    const QString kept = path(QStringLiteral("Kept.lmr"));
    WriteFile(gone, ShowFileBytes());
    WriteFile(kept, ShowFileBytes());
    const QString settings = path(QStringLiteral("missing.ini"));
    TDesktopHarness h(settings, path(QStringLiteral("sys")));
    for (const QString& show : {kept, gone}) {
        h.dialogs.openAnswers.push_back(show);
        h.trigger(QStringLiteral("mnuOpen"));
    }
    QFile::remove(gone);
    h.main->state().globals.showChanged = 1; // nothing to ask about: there is nothing to open

    h.trigger(QStringLiteral("mnuRecent1"));
    QCOMPARE(
        h.messages.texts(),
        QStringList{QStringLiteral("The show %1 could not be found. It has been taken off the list of recent shows.")
                        .arg(gone)});
    QCOMPARE(h.messages.boxes[0].icon, IUserInterface::Icon::Error);
    QCOMPARE(h.recentItems(), QStringList{"&1 Kept.lmr"});
    QCOMPARE(h.main->state().globals.showChanged, 1);
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Gone.lmr"));
    h.settings.sync();
    QCOMPARE(QSettings(settings, QSettings::IniFormat).value(QStringLiteral("RecentShows/paths")).toStringList(),
             QStringList{kept});
}

void TestDesktop::theDialogListsTheRemovableDrives()
{
    const QString sys = path(QStringLiteral("sys-list"));
    MakeSysTree(sys);
    TRecordingUi ui;
    TfmDisketteDrive dialog(ui, QFile::encodeName(sys).toStdString(), QStringLiteral("/dev/sdb"));
    dialog.show();
    auto* grid = dialog.findChild<QTableView*>(QStringLiteral("grdDrives"));
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), 2); // not the hard disk, not the CD drive
    QCOMPARE(Row(*grid->model(), 0), (QStringList{"/dev/sdb", "TEAC USB floppy", "1.44 MB"}));
    QCOMPARE(Row(*grid->model(), 1), (QStringList{"/dev/sdc", "FD-05PUB", "no disk"}));
    QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("optDrive"))->isChecked());
    QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid->selectionModel()->selectedRows().front().row(), 0); // the drive in use
    for (QWidget* w : dialog.findChildren<QWidget*>())
        if (w->parentWidget() == &dialog &&
            (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QTableView*>(w))) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(face && !face->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(w->objectName()));
        }

    if (const QByteArray folder = qgetenv("LUMORA_SCREENSHOTS"); !folder.isEmpty()) {
        QTest::qWait(50);
        dialog.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/diskettedrive.png"));
    }

    // A drive plugged in while the dialog is open shows up on Refresh; the choice stays.
    Put(sys + "/block/sde/removable", "1\n");
    Put(sys + "/block/sde/size", "1440\n");
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnRefresh")), Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(Row(*grid->model(), 2), (QStringList{"/dev/sde", "", "0.7 MB"}));
    QCOMPARE(grid->selectionModel()->selectedRows().front().row(), 0);

    // Choosing the empty drive: a diskette may go in later.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 1)).center());
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenPath(), QStringLiteral("/dev/sdc"));
}

void TestDesktop::theDialogRefusesWhatIsNotADisketteImage()
{
    TRecordingUi ui;
    TfmDisketteDrive dialog(ui, QFile::encodeName(path(QStringLiteral("no-sys"))).toStdString(), QString());
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edtImage"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("btnOK"));

    QTest::mouseClick(ok, Qt::LeftButton); // no drive listed, none chosen
    QCOMPARE(ui.messages(), std::vector<std::string>{kMsgChooseDrive});

    const QString small = path(QStringLiteral("small.img"));
    WriteFile(small, QByteArray(1000, '\0'));
    const QString missing = path(QStringLiteral("missing.img"));
    for (const QString& file : {missing, small}) {
        edit->clear();
        QTest::keyClicks(edit, file);
        QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("optImage"))->isChecked());
        QTest::mouseClick(ok, Qt::LeftButton);
    }
    QCOMPARE(ui.messages().size(), std::size_t{3});
    QCOMPARE(ui.messages()[1], QString::fromLatin1(kMsgImageNotFound).arg(missing).toStdString());
    QCOMPARE(ui.messages()[2], QString::fromLatin1(kMsgNotAnImage).arg(small).toStdString());
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.chosenPath().isEmpty());
}

void TestDesktop::aNewBlankImageBecomesDriveAForReadAndWrite()
{
    const QString settings = path(QStringLiteral("drive.ini"));
    const QString image = path(QStringLiteral("tour.img"));
    TDesktopHarness h(settings, path(QStringLiteral("sys")), false);
    QCOMPARE(h.driveField(), QStringLiteral("Drive A: /dev/fd0"));

    bool askedToSave = false;
    OnNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<TfmDisketteDrive*>(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Diskette Drive"));
        dialog->setFileChooser([&](QWidget*, bool forSaving) {
            askedToSave = forSaving;
            return image;
        });
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnNewImage")), Qt::LeftButton);
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("edtImage"))->text(), image);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    });
    h.trigger(QStringLiteral("mnuDisketteDrive"));
    QVERIFY(askedToSave);
    QVERIFY(h.messages.boxes.empty());
    QCOMPARE(QFileInfo(image).size(), qint64(kDisketteBytes));
    QCOMPARE(h.driveField(), QStringLiteral("Drive A: tour.img"));
    h.settings.sync();
    QCOMPARE(QSettings(settings, QSettings::IniFormat).value(QString::fromLatin1(kSettingDriveA)).toString(), image);

    // Write Show Disk and Read Show Disk go to the image.
    AnswerShowOptions();
    h.trigger(QStringLiteral("mnuWriteShowDisk"));
    QVERIFY(h.messages.boxes.empty());
    const QByteArray written = ReadFile(image);
    QCOMPARE(written.size(), qsizetype(kDisketteBytes));
    QCOMPARE(static_cast<unsigned char>(written[kDirectorySector * kSectorSize]), 124u); // the directory is there

    h.main->state().show().ClearPatches();
    h.main->state().globals.showChanged = 1;
    h.messages.answerYes();
    AnswerShowOptions();
    h.trigger(QStringLiteral("mnuReadShowDisk"));
    QCOMPARE(h.messages.texts().size(), 1); // only the question before the read
    QCOMPARE(h.main->state().globals.loadedFromDiskette, 1);
    QVERIFY(h.main->state().show().patches == TShow().patches);

    // The next start uses the image again.
    TDesktopHarness again(settings, path(QStringLiteral("sys")), false);
    QCOMPARE(again.driveField(), QStringLiteral("Drive A: tour.img"));
}

void TestDesktop::theOptionWinsOverTheStoredChoice()
{
    QSettings settings(path(QStringLiteral("choice.ini")), QSettings::IniFormat);
    StoreDriveA(&settings, "/shows/tour.img");
    QCOMPARE(DriveAForRun(std::nullopt, &settings), std::string("/shows/tour.img"));
    QCOMPARE(DriveAForRun(std::string("/dev/sdb"), &settings), std::string("/dev/sdb"));
    qputenv("LUMORA_DRIVE_A", "/dev/sdz");
    QCOMPARE(DriveAForRun(std::nullopt, &settings), std::string("/dev/sdz"));
    QCOMPARE(DriveAForRun(std::string("/dev/sdb"), &settings), std::string("/dev/sdb"));
    qunsetenv("LUMORA_DRIVE_A");
    QCOMPARE(DriveAForRun(std::nullopt, nullptr), std::string("/dev/fd0"));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    InitShellResources();
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopTest.moc"
