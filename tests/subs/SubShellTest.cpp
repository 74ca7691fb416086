// The submaster windows in the main window: the View, toolbar and large-button commands,
// the editor and list handing over to each other, Print from each, and the show changed
// flag that Delete Sub leaves for the quit question.

#include "shell/ShellFixture.h"
#include "shell/Startup.h"

#include "subs/SubEdit.h"
#include "subs/SubList.h"
#include "subs/rptSubList.h"
#include "subs/rptSubs.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace lumora::test {

class TestSubShell final : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY(PendingModalHandlers() == 0);
        CancelModalHandlers();
    }

    void commandsOpenTheSubWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("windowClass");
        for (const char* prefix : {"mnu", "tb", "btn"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1SubEditor").arg(prefix)))
                << QStringLiteral("%1SubEditor").arg(prefix) << QStringLiteral("lumora::TfmSubEdit");
            QTest::newRow(qPrintable(QStringLiteral("%1SubList").arg(prefix)))
                << QStringLiteral("%1SubList").arg(prefix) << QStringLiteral("lumora::TfmSubList");
        }
        QTest::newRow("print subs") << QStringLiteral("mnuPrintSubs") << QStringLiteral("lumora::TrptSubs");
        QTest::newRow("print list") << QStringLiteral("mnuPrintSubList") << QStringLiteral("lumora::TrptSubList");
    }
    void commandsOpenTheSubWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, windowClass);
        TShellHarness h(EditorWindows());
        QString opened;
        OnNextModal([&](QWidget* w) {
            opened = QString::fromLatin1(w->metaObject()->className());
            w->close();
        });
        const QByteArray name = command.toLatin1();
        if (command.startsWith(QLatin1String("btn")))
            h.click(name.constData());
        else
            h.trigger(name.constData());
        QCOMPARE(opened, windowClass);
        QVERIFY(h.messages.texts().isEmpty());
    }

    void editorAndListHandOverToEachOther()
    {
        TShellHarness h(EditorWindows());
        QStringList opened;
        // Each next window is awaited once the one before has closed.
        auto next = [](QWidget* w, std::function<void(QWidget*)> act) {
            QObject::connect(
                qobject_cast<QDialog*>(w), &QDialog::finished, w, [act] { OnNextModal(act); },
                Qt::SingleShotConnection);
        };
        // Editor: its Submaster Setup menu opened and closed hands over to the list.
        OnNextModal([&](QWidget* w) {
            opened << QString::fromLatin1(w->metaObject()->className());
            // List: "&Editor" hands back; the editor's close box then ends the loop.
            next(w, [&](QWidget* list) {
                opened << QString::fromLatin1(list->metaObject()->className());
                next(list, [&](QWidget* editor) {
                    opened << QString::fromLatin1(editor->metaObject()->className());
                    editor->close();
                });
                list->findChild<QAction*>(QStringLiteral("mnuEditor"))->trigger();
            });
            auto* menu = w->findChild<QMenu*>(QStringLiteral("mnuSetup"));
            menu->popup(w->mapToGlobal(QPoint(10, 10)));
            QTimer::singleShot(50, menu, &QMenu::hide);
        });
        h.trigger("mnuSubEditor");
        QTRY_COMPARE(opened, (QStringList{"lumora::TfmSubEdit", "lumora::TfmSubList", "lumora::TfmSubEdit"}));
    }

    void editorPrintOpensTheReportForTheSubOnShow()
    {
        TShellHarness h(EditorWindows());
        h.state().show().sub(3, 9).SubType = kSubNormal;
        bool currentChosen = false;
        OnNextModal([&](QWidget* w) {
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("RightButton")), Qt::LeftButton);
            OnNextModal([&](QWidget* report) {
                auto* current = report->findChild<QRadioButton*>(QStringLiteral("rbCurrent"));
                currentChosen = qobject_cast<TrptSubs*>(report) && current->isEnabled() && current->isChecked();
                report->close();
                QTimer::singleShot(0, w, [w] { w->close(); });
            });
            w->findChild<QAction*>(QStringLiteral("mnuPrint"))->trigger();
        });
        h.trigger("mnuSubEditor");
        QVERIFY(currentChosen);
    }

    void deleteSubLeavesTheShowToBeSavedOnQuit()
    {
        TShellHarness h(EditorWindows());
        h.state().show().sub(1, 1).SubType = kSubSolo;
        OnNextModal([&](QWidget* w) {
            h.messages.answerYes(); // clear this Submaster?
            w->findChild<QAction*>(QStringLiteral("mnuDelete"))->trigger();
            w->close();
        });
        h.trigger("mnuSubEditor");
        QCOMPARE(h.state().show().sub(1, 1).SubType, kSubNone);
        QCOMPARE(h.globals().showChanged, 1);
        h.messages.answerCancel();
        QVERIFY(!h.main->close()); // the quit question is asked; Cancel keeps the editor open
        QCOMPARE(h.messages.texts().size(), 2);
    }
};

} // namespace lumora::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    lumora::InitShellResources();
    lumora::test::TestSubShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "SubShellTest.moc"
