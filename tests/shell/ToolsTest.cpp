// Tools > Check Show... and File > Compare With..., driven through the main window's
// menus and the windows' real widgets.

#include "shell/ShellFixture.h"

#include "cues/CueEdit2.h"
#include "shell/MainMenu.h"
#include "shell/ShowCheckWindow.h"
#include "shell/ShowCompareWindow.h"
#include "show/DirectDisk.h"
#include "show/ShowDisk.h"
#include "show/ShowFile.h"
#include "support/ConsistentShow.h"
#include "support/RecordingUi.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace lumora::test {

namespace {

// Runs act on the first modal window of the class to come up (the check window stays
// the active modal window until the screen it opens is on top).
void OnModal(const char* className, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    auto ticks = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, ticks, className, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->inherits(className)) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (++*ticks > 1000) {
            timer->stop();
            timer->deleteLater();
            qWarning("no %s came up", className);
        }
    });
    timer->start();
}

// A screenshot for a person to look at, when LUMORA_SCREENSHOTS names a folder.
void Shoot(QWidget* w, const char* name)
{
    const QString folder = qEnvironmentVariable("LUMORA_SCREENSHOTS");
    if (!folder.isEmpty())
        w->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// Buttons, tables and trees of a window (not the parts inside a view) without a name.
QStringList Unnamed(QWidget* window)
{
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        bool insideView = false;
        for (QWidget* up = w->parentWidget(); up && up != window; up = up->parentWidget())
            insideView = insideView || qobject_cast<QAbstractItemView*>(up);
        const bool interactive = qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractItemView*>(w);
        if (interactive && !insideView && w->accessibleName().isEmpty())
            unnamed << w->objectName();
    }
    return unnamed;
}

void DoubleClickRow(QTableView* table, int row)
{
    const QModelIndex index = table->model()->index(row, 1);
    const QPoint at = table->visualRect(index).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
}

int RowOf(QTableView* table, const QString& object)
{
    for (int r = 0; r < table->model()->rowCount(); ++r)
        if (table->model()->index(r, TCheckFindingsModel::ColObject).data().toString() == object)
            return r;
    return -1;
}

// Faults of three kinds: a cue linking nowhere, a cue running an empty macro, two
// devices on one DMX channel.
void PlantFaults(TShow& show)
{
    show.cueList.InsertCue(10, kCueTrack);
    show.cueList.InsertCue(125, kCuePreset);
    show.cueList.cue(2).link = 130;
    show.cueList.cue(1).macro = 5;
    TQVType& type = show.quorvel.type(1);
    type.name = "Spot";
    type.attrNames[0] = "Pan";
    type.width[0] = 1;
    show.quorvel.device(1) = {"Left", 1, 20, {}};
    show.quorvel.device(2) = {"Right", 1, 21, {}};
}

} // namespace

class TestTools : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void toolsMenuStandsBeforeHelp();
    void aCleanShowSaysSo();
    void findingsListSortAndOpenTheirWindows();
    void aCueFindingOpensTheCueEditor();
    void compareWithAShowFile();
    void compareWithADisketteImage();
    void compareWithNothingChosenOrABadFile();
};

void TestTools::cleanup()
{
    QCOMPARE(PendingModalHandlers(), 0);
    CancelModalHandlers();
}

void TestTools::toolsMenuStandsBeforeHelp()
{
    TShellHarness h;
    QStringList titles;
    for (QAction* a : h.main->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles.last(), QStringLiteral("&Help"));
    QCOMPARE(titles.at(titles.size() - 2), QStringLiteral("&Tools"));
    QCOMPARE(h.action("mnuCheckShow")->text(), QString::fromLatin1(kCheckShowMenu));
    QCOMPARE(h.action("mnuCompareWith")->text(), QString::fromLatin1(kCompareWithMenu));
    QVERIFY(h.action("mnuCheckShow")->isEnabled());
}

void TestTools::aCleanShowSaysSo()
{
    TShellHarness h;
    QString summary;
    int rows = -1;
    OnNextModal([&](QWidget* w) {
        summary = w->findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
        rows = w->findChild<QTableView*>(QStringLiteral("grdFindings"))->model()->rowCount();
        QCOMPARE(Unnamed(w), QStringList());
        Shoot(w, "check-clean");
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    });
    h.trigger("mnuCheckShow");
    QCOMPARE(summary, QString::fromLatin1(kCheckClean));
    QCOMPARE(rows, 0);
    QVERIFY(h.messages.texts().isEmpty());
}

void TestTools::findingsListSortAndOpenTheirWindows()
{
    TScreenLog log;
    TShellHarness h(FakeScreens(log, {TScreen::CueEditor, TScreen::Macro}));
    PlantFaults(h.state().show());
    QStringList summaries;
    QStringList firstKinds;
    OnNextModal([&](QWidget* w) {
        auto* table = w->findChild<QTableView*>(QStringLiteral("grdFindings"));
        auto* check = qobject_cast<TfmCheckShow*>(w);
        QAbstractItemModelTester tester(&check->findingsModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        summaries << w->findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
        Shoot(w, "check-findings");
        // Sorted by object (the show's order) at first: the cues come first.
        QCOMPARE(table->model()->rowCount(), 3);
        QCOMPARE(table->model()->index(0, TCheckFindingsModel::ColObject).data().toString(), QStringLiteral("cue 1"));
        // A click on the Kind header puts errors first, then warnings.
        auto* header = table->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(TCheckFindingsModel::ColKind) + 10, header->height() / 2));
        for (int r = 0; r < 3; ++r)
            firstKinds << table->model()->index(r, TCheckFindingsModel::ColKind).data().toString();

        // The Quorvel device window does not exist (yet): nothing opens.
        DoubleClickRow(table, RowOf(table, QStringLiteral("QV device 2")));
        QVERIFY(log.visits.empty());
        // The cue's window does; the show is checked again when it closes.
        h.state().show().cueList.cue(2).link = 0; // as if fixed in the cue editor
        DoubleClickRow(table, RowOf(table, QStringLiteral("cue 12.5")));
        summaries << w->findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    h.trigger("mnuCheckShow");
    QCOMPARE(summaries,
             (QStringList{QStringLiteral("2 errors and 1 warning."), QStringLiteral("1 error and 1 warning.")}));
    QCOMPARE(firstKinds, (QStringList{QStringLiteral("cue-link-missing"), QStringLiteral("qv-device-overlap"),
                                      QStringLiteral("cue-macro-empty")}));
    QCOMPARE(log.screens(), std::vector<TScreen>{TScreen::CueEditor});
}

void TestTools::aCueFindingOpensTheCueEditor()
{
    TShellHarness h(EditorWindows());
    PlantFaults(h.state().show());
    QString opened;
    OnNextModal([&](QWidget* w) {
        auto* table = w->findChild<QTableView*>(QStringLiteral("grdFindings"));
        OnModal(TfmCueEdit2::staticMetaObject.className(), [&](QWidget* editor) {
            opened = QString::fromLatin1(editor->metaObject()->className());
            qobject_cast<QDialog*>(editor)->reject();
        });
        DoubleClickRow(table, RowOf(table, QStringLiteral("cue 12.5")));
        qobject_cast<QDialog*>(w)->accept();
    });
    h.trigger("mnuCheckShow");
    QCOMPARE(opened, QString::fromLatin1(TfmCueEdit2::staticMetaObject.className()));
}

void TestTools::compareWithAShowFile()
{
    TShellHarness h;
    // The file: a consistent show; the editor: the same show with a cue and a dimmer changed.
    TRecordingUi ui;
    TEditorState other(ui);
    FillConsistentFullShow(other.show(), 9);
    other.globals.notes = "Act 1";
    other.show().sub(1, 1).Name = "Trimmed"; // saved padded to 16 characters
    const QString path = h.path(QStringLiteral("act1.lmr"));
    SaveShowFile(other, QFile::encodeName(path).toStdString());
    h.state().show() = other.show();
    h.state().globals.notes = "Act 1";
    h.state().show().cueList.cue(3).timeUp = 42;
    h.state().show().patch(2).dimmer(600).Level = 55;
    // The editor holds the name as typed: no difference once compiled.
    h.dialogs.openAnswers.push_back(path);

    QStringList objects;
    QString heading, result, firstLine;
    OnNextModal([&](QWidget* w) {
        auto* compare = qobject_cast<TfmCompare*>(w);
        QVERIFY(compare);
        QAbstractItemModelTester tester(&compare->diffModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        heading = compare->heading()->text();
        QCOMPARE(Unnamed(w), QStringList());
        result = w->findChild<QLabel*>(QStringLiteral("lblResult"))->text();
        QTreeView* tree = compare->tree();
        QAbstractItemModel* m = tree->model();
        for (int g = 0; g < m->rowCount(); ++g) {
            const QModelIndex group = m->index(g, 0);
            QVERIFY(tree->isExpanded(group));
            for (int e = 0; e < m->rowCount(group); ++e)
                objects << m->index(g, 0).data().toString() + QStringLiteral(": ") +
                               m->index(e, 0, group).data().toString();
        }
        firstLine = m->index(0, 0, m->index(0, 0, m->index(0, 0))).data().toString();
        Shoot(w, "compare");
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    });
    h.trigger("mnuCompareWith");
    QCOMPARE(h.dialogs.openTitles, QStringList{QString::fromLatin1(kCompareCaption)});
    QVERIFY2(heading.contains(QStringLiteral("act1.lmr")), qPrintable(heading));
    QCOMPARE(result, QStringLiteral("2 objects differ."));
    const QString cue3 = QString::fromStdString(CueObjectName(other.show().cueList.cue(3).number));
    QCOMPARE(objects, (QStringList{QStringLiteral("Cues (1): ") + cue3, QStringLiteral("Patch (1): dimmer 2/600")}));
    QVERIFY2(firstLine.startsWith(QStringLiteral("time up: ")) && firstLine.endsWith(QStringLiteral("\u2192 4.2")),
             qPrintable(firstLine));
    QVERIFY(h.messages.texts().isEmpty());
    QCOMPARE(h.globals().showChanged, 0);
}

void TestTools::compareWithADisketteImage()
{
    TShellHarness h;
    TRecordingUi ui;
    TEditorState other(ui);
    FillConsistentFullShow(other.show(), 4);
    const QString img = h.path(QStringLiteral("tour.img"));
    WriteFile(img, QByteArray(static_cast<qsizetype>(kDisketteBytes), '\0'));
    other.globals.presence = {1, 0, 0, 0, 0, 1, 0};
    TDirDisk disk(MakePosixDiskBackend(QFile::encodeName(img).toStdString()));
    QVERIFY(WriteShowDisk(other, disk, 'A'));
    h.state().show() = other.show();
    h.state().show().macro(1).Keys = {1}; // not on the diskette: no difference
    h.dialogs.openAnswers.push_back(img);

    QString heading, result;
    OnNextModal([&](QWidget* w) {
        heading = w->findChild<QLabel*>(QStringLiteral("lblCompared"))->text();
        result = w->findChild<QLabel*>(QStringLiteral("lblResult"))->text();
        Shoot(w, "compare-diskette");
        qobject_cast<QDialog*>(w)->reject();
    });
    h.trigger("mnuCompareWith");
    QVERIFY2(heading.contains(QStringLiteral("Compared: Patch, Cue.")), qPrintable(heading));
    QCOMPARE(result, QString::fromLatin1(kDiffSame));
    QVERIFY(h.messages.texts().isEmpty());
}

void TestTools::compareWithNothingChosenOrABadFile()
{
    TShellHarness h;
    h.dialogs.openAnswers.push_back(std::nullopt);
    h.trigger("mnuCompareWith"); // cancelled: no window, no box
    QVERIFY(h.messages.texts().isEmpty());

    const QString bad = h.path(QStringLiteral("notes.txt"));
    WriteFile(bad, "not a show");
    h.dialogs.openAnswers.push_back(bad);
    h.trigger("mnuCompareWith");
    QCOMPARE(h.messages.texts(), QStringList{QString::fromLatin1(kMsgIncompatibleFile)});
}

} // namespace lumora::test

int RunToolsTests(int argc, char** argv)
{
    lumora::test::TestTools test;
    return QTest::qExec(&test, argc, argv);
}

#include "ToolsTest.moc"
