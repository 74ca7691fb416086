// File > Open, Import, Save and Save As through the main window's menus and toolbar.

#include "shell/ShellFixture.h"
#include "show/DskOpt.h"
#include "show/ShowImage.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

using namespace lumora;
using namespace lumora::test;
using Icon = IUserInterface::Icon;

namespace {

const QString kIncompatible =
    QStringLiteral("The file you selected is incompatible with this version of the Lumora Offline Editor.");

QByteArray Image(TShellHarness& h)
{
    const auto file = h.state().image().file();
    return QByteArray(reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size()));
}

// Fills the bytes after the 1000th cue record, which no unpack reads: they tell whose
// Cue section an image holds.
void MarkCuePadding(QByteArray& bytes, char mark)
{
    for (std::size_t i = kCueOffset + 610'000; i < kCueOffset + kCueSectionSize; ++i)
        bytes[static_cast<qsizetype>(i)] = mark;
}

void SetNotes(QByteArray& bytes, const char* notes)
{
    for (std::size_t i = 0; i < kNotesSize; ++i)
        bytes[static_cast<qsizetype>(kNotesOffset + i)] = 0;
    for (std::size_t i = 0; notes[i]; ++i)
        bytes[static_cast<qsizetype>(kNotesOffset + i)] = notes[i];
}

// Answers the Show Options dialog: checks the named boxes (all others clear), then OK or Cancel.
void ChooseSections(QStringList boxes, bool ok, QString* caption = nullptr)
{
    OnNextModal([=](QWidget* w) {
        auto* options = qobject_cast<TfmDskOpt*>(w);
        QVERIFY(options);
        if (caption)
            *caption = options->windowTitle();
        options->setOptions({});
        for (const QString& name : boxes)
            QTest::mouseClick(options->findChild<QCheckBox*>(name), Qt::LeftButton);
        QTest::mouseClick(options->findChild<QPushButton*>(ok ? QStringLiteral("btnOK") : QStringLiteral("btnCancel")),
                          Qt::LeftButton);
    });
}

} // namespace

class TestFileCommands final : public QObject {
    Q_OBJECT

private slots:
    void showNamedAtStartOpensLikeOpen();
    void cleanup()
    {
        QCOMPARE(PendingModalHandlers(), 0);
        CancelModalHandlers();
    }

    void openOfAFileOfTheWrongSizeChangesNothing_data();
    void openOfAFileOfTheWrongSizeChangesNothing();
    void openAsksFirstWhenTheShowChanged();
    void openCancelledLeavesTheShow();
    void saveAsWritesTheShowAndOpenReadsItBack();
    void saveUsesTheCurrentNameWithoutADialog();
    void failedSaveLeavesTheShowChanged();
    void notesAreWrittenBySaveReadByOpenNeverByImport();
    void importOfCuesOnlyKeepsEverythingElse();
    void importWithNoBoxCheckedChangesNothingButTheFlag();
    void importCancelledRestoresTheDialogs_data();
    void importCancelledRestoresTheDialogs();
    void failedImportIsReportedAfterItsCleanUp();
    void importOfALongerFileUsesItsHead();
};

void TestFileCommands::openOfAFileOfTheWrongSizeChangesNothing_data()
{
    QTest::addColumn<int>("delta");
    QTest::newRow("one byte short") << -1;
    QTest::newRow("one byte over") << 1;
}

void TestFileCommands::openOfAFileOfTheWrongSizeChangesNothing()
{
    QFETCH(int, delta);
    TShellHarness h;
    const QString named = h.path(QStringLiteral("first.lmr"));
    WriteFile(named, ShowFileBytes([](QByteArray& b) { SetNotes(b, "first"); }));
    h.dialogs.openAnswers.push_back(named);
    h.trigger("mnuOpen");
    const QByteArray imageBefore = Image(h);
    const TShow showBefore = h.state().show();

    QByteArray bytes = ShowFileBytes([](QByteArray& b) { MarkCuePadding(b, 'W'); });
    bytes.resize(bytes.size() + delta, 'W');
    const QString wrong = h.path(QStringLiteral("wrong.lmr"));
    WriteFile(wrong, bytes);
    h.dialogs.openAnswers.push_back(wrong);
    h.trigger("tbOpen");

    QCOMPARE(h.messages.texts(), QStringList{kIncompatible});
    QCOMPARE(h.messages.boxes[0].icon, Icon::Error);
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - first.lmr"));
    QCOMPARE(QString::fromStdString(h.globals().fileName), named);
    QCOMPARE(h.globals().notes, std::string("first"));
    QCOMPARE(Image(h), imageBefore);
    QVERIFY(h.state().show() == showBefore);
}

void TestFileCommands::showNamedAtStartOpensLikeOpen()
{
    TShellHarness h;
    const QString named = h.path(QStringLiteral("named.lmr"));
    WriteFile(named, ShowFileBytes([](QByteArray& b) { SetNotes(b, "from the command line"); }));
    h.main->openShowFile(named);
    QVERIFY(h.messages.texts().isEmpty());
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - named.lmr"));
    QCOMPARE(h.globals().notes, std::string("from the command line"));
    QCOMPARE(h.globals().loadedFromFile, 1);
    QCOMPARE(h.globals().newShow, 0);

    // A file that is not a show, or none at all, gets its box and changes nothing.
    const QString wrong = h.path(QStringLiteral("wrong.lmr"));
    WriteFile(wrong, QByteArray(100, 'x'));
    h.main->openShowFile(wrong);
    h.main->openShowFile(h.path(QStringLiteral("missing.lmr")));
    QCOMPARE(h.messages.texts(), (QStringList{kIncompatible, QStringLiteral("Error Reading File.")}));
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - named.lmr"));
    QCOMPARE(h.globals().notes, std::string("from the command line"));
    QVERIFY(!h.main->ui().busy());
}

void TestFileCommands::openAsksFirstWhenTheShowChanged()
{
    TShellHarness h;
    h.globals().showChanged = 1;
    h.messages.answerNo();
    h.trigger("mnuOpen");
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral(
                                     "Are you sure you want to open a new project?\nAny unsaved data will be lost.")});
    QCOMPARE(h.messages.boxes[0].icon, Icon::Warning);
    QVERIFY(h.dialogs.openTitles.isEmpty()); // no dialog after No
    QCOMPARE(h.globals().newShow, 1);
    QCOMPARE(h.globals().showChanged, 1);
}

void TestFileCommands::openCancelledLeavesTheShow()
{
    TShellHarness h;
    h.dialogs.openAnswers.push_back(std::nullopt);
    h.trigger("mnuOpen");
    QCOMPARE(h.dialogs.openTitles, QStringList{QString()}); // the system's default title
    QCOMPARE(h.dialogs.folders, QStringList{h.showsFolder->location()});
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));
    QCOMPARE(h.globals().loadedFromFile, 0);
    QCOMPARE(h.globals().newShow, 0); // set before the dialog, as the program always did
    QVERIFY(h.messages.boxes.empty());
}

void TestFileCommands::saveAsWritesTheShowAndOpenReadsItBack()
{
    TShellHarness h;
    h.state().show().ClearPatches();
    h.globals().showChanged = 1;
    const QString file = h.path(QStringLiteral("Documents/My Shows/season.lmr"));
    h.dialogs.saveAnswers.push_back(file);
    h.trigger("mnuSaveAs");
    QCOMPARE(QFileInfo(file).size(), qint64(1'367'881));
    QCOMPARE(h.dialogs.folders, QStringList{h.showsFolder->location()});
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - season.lmr"));
    QCOMPARE(h.globals().showChanged, 0);
    QCOMPARE(ReadFile(file), Image(h));
    const TPatches saved = h.state().show().patches;

    h.messages.answerYes();
    h.trigger("mnuNew");
    QVERIFY(!(h.state().show().patches == saved));
    h.dialogs.openAnswers.push_back(file);
    h.trigger("mnuOpen");
    QVERIFY(h.state().show().patches == saved);
    QCOMPARE(h.globals().loadedFromFile, 1);
    QCOMPARE(h.globals().presence, (TPresenceFlags{1, 1, 1, 1, 1, 1, 1}));
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - season.lmr"));
    QCOMPARE(h.globals().showChanged, 0);
    QVERIFY(!h.main->ui().busy());
}

void TestFileCommands::saveUsesTheCurrentNameWithoutADialog()
{
    TShellHarness h;
    const QString file = h.path(QStringLiteral("named.lmr"));
    h.dialogs.saveAnswers.push_back(file);
    h.trigger("tbSave"); // untitled: Save runs Save As
    QCOMPARE(h.dialogs.saveCalls, 1);
    QFile::remove(file);
    h.globals().showChanged = 1;
    h.trigger("mnuSave");
    QCOMPARE(h.dialogs.saveCalls, 1);
    QCOMPARE(QFileInfo(file).size(), qint64(1'367'881));
    QCOMPARE(h.globals().showChanged, 0);
}

void TestFileCommands::failedSaveLeavesTheShowChanged()
{
    TShellHarness h;
    const QString file = h.path(QStringLiteral("no-such-folder/lost.lmr"));
    h.globals().showChanged = 1;
    h.dialogs.saveAnswers.push_back(file);
    h.trigger("mnuSaveAs");
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Error Writing to LMR File.")});
    QVERIFY(!h.messages.boxes[0].busyCursor);
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - lost.lmr"));
    QCOMPARE(h.globals().showChanged, 1); // a failed save is no save
    QVERIFY(!QFileInfo::exists(file));

    // the same through Save, with the name now current
    h.messages.clear();
    h.trigger("mnuSave");
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Error Writing to LMR File.")});
    QCOMPARE(h.globals().showChanged, 1);
}

void TestFileCommands::notesAreWrittenBySaveReadByOpenNeverByImport()
{
    TShellHarness h;
    const QString file = h.path(QStringLiteral("notes.lmr"));
    h.globals().notes = "Focus call 9am\r\nBring gels";
    h.dialogs.saveAnswers.push_back(file);
    h.trigger("mnuSaveAs");
    QCOMPARE(ReadFile(file).mid(kNotesOffset, 25), QByteArray("Focus call 9am\r\nBring gel"));

    h.messages.answerYes();
    h.trigger("mnuNew");
    QVERIFY(h.globals().notes.empty());
    h.dialogs.openAnswers.push_back(file);
    h.trigger("mnuOpen");
    QCOMPARE(h.globals().notes, std::string("Focus call 9am\r\nBring gels"));

    h.globals().notes = "changed here";
    h.dialogs.openAnswers.push_back(file);
    ChooseSections({QStringLiteral("chkAll")}, true);
    h.trigger("mnuImport");
    QCOMPARE(h.globals().notes, std::string("changed here"));
    QCOMPARE(h.globals().showChanged, 1);
}

void TestFileCommands::importOfCuesOnlyKeepsEverythingElse()
{
    TShellHarness h;
    const QByteArray first = ShowFileBytes([](QByteArray& b) {
        MarkCuePadding(b, 'A');
        SetNotes(b, "first notes");
    });
    const QByteArray second = ShowFileBytes([](QByteArray& b) {
        MarkCuePadding(b, 'B');
        SetNotes(b, "second notes");
        b[0] = b[0] ^ 1; // a Patch byte that differs from the first file
    });
    const QString firstFile = h.path(QStringLiteral("first.lmr"));
    const QString secondFile = h.path(QStringLiteral("second.lmr"));
    WriteFile(firstFile, first);
    WriteFile(secondFile, second);

    h.dialogs.openAnswers.push_back(firstFile);
    h.trigger("mnuOpen");
    QCOMPARE(Image(h), first);

    h.dialogs.openAnswers.push_back(secondFile);
    QString caption;
    ChooseSections({QStringLiteral("chkCues")}, true, &caption);
    h.trigger("mnuImport");
    QCOMPARE(caption, QStringLiteral("Choose Item(s) to Import"));
    QCOMPARE(h.dialogs.openTitles.last(), QStringLiteral("Choose File to Import From"));

    QByteArray expected = first;
    expected.replace(kCueOffset, kCueSectionSize, second.mid(kCueOffset, kCueSectionSize));
    QCOMPARE(Image(h), expected);
    QCOMPARE(h.globals().notes, std::string("first notes"));
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - first.lmr"));
    QCOMPARE(QString::fromStdString(h.globals().fileName), firstFile);
    QCOMPARE(h.globals().showChanged, 1);
    QCOMPARE(h.globals().loadedFromFile, 1);
    QCOMPARE(h.globals().importing, 0);
    QCOMPARE(h.main->showOptions().windowTitle(), QStringLiteral("Lumora Show Options"));
    QCOMPARE(h.globals().presence, (TPresenceFlags{0, 0, 0, 0, 0, 1, 0}));
}

void TestFileCommands::importWithNoBoxCheckedChangesNothingButTheFlag()
{
    TShellHarness h;
    const QString file = h.path(QStringLiteral("other.lmr"));
    WriteFile(file, ShowFileBytes([](QByteArray& b) {
                  MarkCuePadding(b, 'X');
                  b[0] = b[0] ^ 1;
              }));
    h.state().show().ClearPatches();
    const TShow before = h.state().show();
    const QByteArray imageBefore = Image(h);
    h.dialogs.openAnswers.push_back(file);
    ChooseSections({}, true);
    h.trigger("mnuImport");
    QVERIFY(h.state().show() == before);
    QCOMPARE(Image(h), imageBefore);
    QCOMPARE(h.globals().showChanged, 1);
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));
}

void TestFileCommands::importCancelledRestoresTheDialogs_data()
{
    QTest::addColumn<bool>("cancelFileDialog");
    QTest::newRow("file dialog cancelled") << true;
    QTest::newRow("options cancelled") << false;
}

void TestFileCommands::importCancelledRestoresTheDialogs()
{
    QFETCH(bool, cancelFileDialog);
    TShellHarness h;
    const QString file = h.path(QStringLiteral("x.lmr"));
    WriteFile(file, ShowFileBytes([](QByteArray& b) { MarkCuePadding(b, 'X'); }));
    const QByteArray imageBefore = Image(h);
    if (cancelFileDialog) {
        h.dialogs.openAnswers.push_back(std::nullopt);
    } else {
        h.dialogs.openAnswers.push_back(file);
        ChooseSections({QStringLiteral("chkAll")}, false);
    }
    h.trigger("mnuImport");
    QCOMPARE(h.dialogs.openTitles, QStringList{QStringLiteral("Choose File to Import From")});
    QCOMPARE(h.main->showOptions().windowTitle(), QStringLiteral("Lumora Show Options"));
    QCOMPARE(h.globals().importing, 0);
    QCOMPARE(h.globals().showChanged, 0);
    QCOMPARE(Image(h), imageBefore);

    // the next Open has the default title again
    h.dialogs.openAnswers.push_back(std::nullopt);
    h.trigger("mnuOpen");
    QCOMPARE(h.dialogs.openTitles.last(), QString());
}

void TestFileCommands::failedImportIsReportedAfterItsCleanUp()
{
    TShellHarness h;
    const QString file = h.path(QStringLiteral("short.lmr"));
    WriteFile(file, ShowFileBytes().left(1'367'880));
    h.dialogs.openAnswers.push_back(file);
    ChooseSections({QStringLiteral("chkAll")}, true);
    h.trigger("mnuImport");
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Error Reading File.")});
    const auto& box = h.messages.boxes[0];
    QCOMPARE(box.icon, Icon::Error);
    QVERIFY(!box.busyCursor);
    QCOMPARE(box.importing, 0);
    QCOMPARE(box.optionsCaption, QStringLiteral("Lumora Show Options"));
    QCOMPARE(h.globals().showChanged, 0);
}

void TestFileCommands::importOfALongerFileUsesItsHead()
{
    TShellHarness h;
    QByteArray bytes = ShowFileBytes([](QByteArray& b) { MarkCuePadding(b, 'L'); });
    const QByteArray head = bytes;
    bytes.append(QByteArray(100, 'T'));
    const QString file = h.path(QStringLiteral("long.lmr"));
    WriteFile(file, bytes);
    h.dialogs.openAnswers.push_back(file);
    ChooseSections({QStringLiteral("chkCues")}, true);
    h.trigger("mnuImport");
    QVERIFY(h.messages.boxes.empty());
    QCOMPARE(Image(h).mid(kCueOffset, kCueSectionSize), head.mid(kCueOffset, kCueSectionSize));
}

int RunFileCommandsTests(int argc, char** argv)
{
    TestFileCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "FileCommandsTest.moc"
