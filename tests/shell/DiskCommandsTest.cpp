// File > Read Show Disk and Write Show Disk through the main window, on a diskette in memory.

#include "shell/ShellFixture.h"
#include "show/DskOpt.h"
#include "show/ShowDisk.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace lumora;
using namespace lumora::test;
using Icon = IUserInterface::Icon;

namespace {

void AnswerOptions(const QString& box, bool ok)
{
    OnNextModal([=](QWidget* w) {
        auto* options = qobject_cast<TfmDskOpt*>(w);
        QVERIFY(options);
        QCOMPARE(options->windowTitle(), QStringLiteral("Lumora Show Options"));
        if (!box.isEmpty() && !options->findChild<QCheckBox*>(box)->isChecked())
            QTest::mouseClick(options->findChild<QCheckBox*>(box), Qt::LeftButton);
        QTest::mouseClick(options->findChild<QPushButton*>(ok ? QStringLiteral("btnOK") : QStringLiteral("btnCancel")),
                          Qt::LeftButton);
    });
}

} // namespace

class TestDiskCommands final : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        QCOMPARE(PendingModalHandlers(), 0);
        CancelModalHandlers();
    }

    void readRightAfterStartGoesStraightToTheOptions();
    void readIntoANamedOrChangedShowAsksFirst();
    void writeThenReadAllSections();
    void readFailureIsReportedAfterTheCleanUp();
    void writeFailureIsReported();
    void writeThatDoesNotReadBackNamesItsSection();
};

void TestDiskCommands::readRightAfterStartGoesStraightToTheOptions()
{
    TShellHarness h;
    AnswerOptions({}, false);
    h.trigger("mnuReadShowDisk");
    QVERIFY(h.messages.boxes.empty());
    QCOMPARE(h.disk->opens, 0); // Cancel: nothing read
}

void TestDiskCommands::readIntoANamedOrChangedShowAsksFirst()
{
    TShellHarness h;
    h.globals().showChanged = 1;
    h.messages.answerNo();
    h.trigger("mnuReadShowDisk");
    QCOMPARE(h.messages.texts(),
             QStringList{
                 QStringLiteral("Are you sure you want to import data from a Show Disk into the existing project?")});
    QCOMPARE(h.messages.boxes[0].icon, Icon::Confirmation);
    QCOMPARE(h.disk->opens, 0);

    h.messages.clear();
    h.dialogs.saveAnswers.push_back(h.path(QStringLiteral("named.lmr")));
    h.trigger("mnuSaveAs");
    QCOMPARE(h.globals().showChanged, 0);
    h.messages.answerYes();
    AnswerOptions({}, false);
    h.trigger("mnuReadShowDisk");
    QCOMPARE(h.messages.boxes.size(), std::size_t{1});
}

void TestDiskCommands::writeThenReadAllSections()
{
    TShellHarness h;
    AnswerOptions(QStringLiteral("chkAll"), true);
    h.trigger("mnuWriteShowDisk");
    QVERIFY(h.messages.boxes.empty());
    const std::uint8_t* directory = h.disk->sector(kDirectorySector);
    QCOMPARE((std::vector<int>(directory, directory + 7)), (std::vector<int>{124, 124, 124, 125, 124, 124, 126}));
    QVERIFY(!h.main->statusPanel()->isVisible());
    QVERIFY(!h.main->ui().busy());

    h.state().show().ClearPatches();
    h.globals().showChanged = 1;
    QVERIFY(h.main->showOptions().findChild<QCheckBox*>(QStringLiteral("chkAll"))->isChecked()); // kept
    h.messages.answerYes();
    AnswerOptions(QStringLiteral("chkAll"), true);
    h.trigger("mnuReadShowDisk");
    QCOMPARE(h.messages.texts().size(), 1); // only the question before the read
    QCOMPARE(h.globals().loadedFromDiskette, 1);
    QCOMPARE(h.globals().showChanged, 1); // a read leaves the flag and the title alone
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));
    QVERIFY(!h.main->statusPanel()->isVisible());
    QVERIFY(h.state().show().patches == TShow().patches);
}

void TestDiskCommands::readFailureIsReportedAfterTheCleanUp()
{
    TShellHarness h;
    h.disk->present = false;
    AnswerOptions(QStringLiteral("chkCues"), true);
    h.trigger("mnuReadShowDisk");
    QCOMPARE(h.messages.texts(), (QStringList{QStringLiteral("Please make sure there is a diskette in drive A."),
                                              QStringLiteral("Error Reading Show Disk!")}));
    const auto& last = h.messages.boxes.back();
    QCOMPARE(last.icon, Icon::Error);
    QVERIFY(!last.busyCursor);
    QVERIFY(!last.statusPanel);
    QCOMPARE(h.globals().loadedFromDiskette, 0);
}

void TestDiskCommands::writeFailureIsReported()
{
    TShellHarness h;
    h.disk->present = false;
    AnswerOptions(QStringLiteral("chkEffects"), true);
    h.trigger("mnuWriteShowDisk");
    QCOMPARE(h.messages.texts().last(), QStringLiteral("Error Writing to Show Disk!"));
    QVERIFY(!h.messages.boxes.back().busyCursor);
    QVERIFY(!h.main->statusPanel()->isVisible());
}

// A sector that does not read back as written fails the write; the box comes while the
// status panel still names the section.
void TestDiskCommands::writeThatDoesNotReadBackNamesItsSection()
{
    TShellHarness h;
    const unsigned lost = kEffectsRange.firstSector + 10;
    std::fill(h.disk->sector(lost), h.disk->sector(lost) + kSectorSize, 0xEE); // what the medium keeps
    h.disk->lostWrites.insert(lost);
    AnswerOptions(QStringLiteral("chkEffects"), true);
    h.trigger("mnuWriteShowDisk");
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Error Writing to Show Disk!")});
    const auto& box = h.messages.boxes.back();
    QVERIFY(!box.busyCursor);
    QVERIFY(box.statusPanel);
    QCOMPARE(box.statusText, QStringLiteral("Saving Effects Data..."));
    QVERIFY(!h.main->statusPanel()->isVisible());
}

int RunDiskCommandsTests(int argc, char** argv)
{
    TestDiskCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "DiskCommandsTest.moc"
