// The program's own window registry: every editing screen and report that exists is
// reachable from its menu item, toolbar button and large button, and opens as the right window.

#include "shell/ShellFixture.h"

#include "cues/CueEdit2.h"
#include "cues/CueList2.h"
#include "cues/Track.h"
#include "cues/printCueEditor.h"
#include "cues/printTrack.h"
#include "shell/MainMenu.h"
#include "shell/WindowRegistry.h"

#include <QPrintPreviewDialog>
#include <QtTest>

namespace lumora::test {

class TestEditorWindows : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void everyCueCommandOpensItsScreen_data();
    void everyCueCommandOpensItsScreen();
    void cueReportsOpenFromThePrintMenu_data();
    void cueReportsOpenFromThePrintMenu();

private:
    static void AddCues(TShellHarness& h)
    {
        for (std::uint16_t n : {10, 20, 30})
            h.state().show().cueList.InsertCue(n, kCueTrack);
    }
};

void TestEditorWindows::cleanup()
{
    QCOMPARE(PendingModalHandlers(), 0);
    CancelModalHandlers();
}

void TestEditorWindows::everyCueCommandOpensItsScreen_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("windowClass");
    for (const char* prefix : {"mnu", "tb", "btn"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1CueEditor").arg(prefix)))
            << QStringLiteral("%1CueEditor").arg(prefix)
            << QString::fromLatin1(TfmCueEdit2::staticMetaObject.className());
        QTest::newRow(qPrintable(QStringLiteral("%1CueList").arg(prefix)))
            << QStringLiteral("%1CueList").arg(prefix)
            << QString::fromLatin1(TfmCueList2::staticMetaObject.className());
        QTest::newRow(qPrintable(QStringLiteral("%1Track").arg(prefix)))
            << QStringLiteral("%1Track").arg(prefix) << QString::fromLatin1(TfmTrack::staticMetaObject.className());
    }
}

void TestEditorWindows::everyCueCommandOpensItsScreen()
{
    QFETCH(QString, command);
    QFETCH(QString, windowClass);
    TShellHarness h(EditorWindows());
    AddCues(h);
    QString opened;
    OnNextModal([&](QWidget* w) {
        opened = QString::fromLatin1(w->metaObject()->className());
        qobject_cast<QDialog*>(w)->reject(); // nothing changed: closes without a question
    });
    const QByteArray name = command.toLatin1();
    if (command.startsWith(QLatin1String("btn")))
        h.click(name.constData());
    else
        h.trigger(name.constData());
    QCOMPARE(opened, windowClass);
    QVERIFY(h.messages.texts().isEmpty());
    QCOMPARE(h.globals().showChanged, 0);
}

void TestEditorWindows::cueReportsOpenFromThePrintMenu_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("windowClass");
    QTest::newRow("cue list") << QStringLiteral("mnuPrintCueList")
                              << QString::fromLatin1(QPrintPreviewDialog::staticMetaObject.className());
    QTest::newRow("cue levels") << QStringLiteral("mnuPrintCueLevels")
                                << QString::fromLatin1(TrptCueEditor::staticMetaObject.className());
    QTest::newRow("track") << QStringLiteral("mnuPrintTrack")
                           << QString::fromLatin1(TrptTrack::staticMetaObject.className());
}

void TestEditorWindows::cueReportsOpenFromThePrintMenu()
{
    QFETCH(QString, command);
    QFETCH(QString, windowClass);
    TShellHarness h(EditorWindows());
    AddCues(h);
    QAction* item = h.action(command.toLatin1().constData());
    QVERIFY(item);
    QVERIFY(item->isEnabled());
    QString opened;
    OnNextModal([&](QWidget* w) {
        if (w->inherits(windowClass.toLatin1().constData())) // the preview is a QPrintPreviewDialog of our own
            opened = windowClass;
        qobject_cast<QDialog*>(w)->reject();
    });
    item->trigger();
    QCOMPARE(opened, windowClass);
}

} // namespace lumora::test

int RunEditorWindowsTests(int argc, char** argv)
{
    lumora::test::TestEditorWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "EditorWindowsTest.moc"
