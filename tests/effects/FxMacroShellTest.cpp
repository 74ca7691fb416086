// The effect and macro editors and their reports in the main window: the commands that
// open them, each editor's Print opening its report on the item on show, and the reset
// commands followed by the next opening.

#include "shell/ShellFixture.h"

#include "effects/EffectWindow.h"
#include "effects/rptEffect.h"
#include "macros/Macro2.h"
#include "macros/printMacros4.h"
#include "shell/MainMenu.h"
#include "shell/WindowRegistry.h"

#include <QAction>
#include <QListView>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

namespace lumora::test {

class TestFxMacroShell final : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        QCOMPARE(PendingModalHandlers(), 0);
        CancelModalHandlers();
    }

    void commandsOpenTheEditors_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("windowClass");
        const QString effect = QString::fromLatin1(TfmEffect::staticMetaObject.className());
        const QString macro = QString::fromLatin1(TfmMacro2::staticMetaObject.className());
        for (const auto& [name, cls] :
             {std::pair{"mnuEffect", effect}, std::pair{"tbEffects", effect}, std::pair{"btnEffect", effect},
              std::pair{"mnuMacro", macro}, std::pair{"tbMacros", macro}, std::pair{"btnMacro", macro},
              std::pair{"mnuPrintEffects", QString::fromLatin1(TrptEffect::staticMetaObject.className())},
              std::pair{"mnuPrintMacros", QString::fromLatin1(TprintMacros4::staticMetaObject.className())}})
            QTest::newRow(name) << QString::fromLatin1(name) << cls;
    }
    void commandsOpenTheEditors()
    {
        QFETCH(QString, command);
        QFETCH(QString, windowClass);
        TShellHarness h(EditorWindows());
        QString opened;
        bool currentEnabled = true;
        OnNextModal([&](QWidget* w) {
            opened = QString::fromLatin1(w->metaObject()->className());
            if (auto* current = w->findChild<QRadioButton*>(QStringLiteral("rbCurrent")))
                currentEnabled = current->isEnabled();
            qobject_cast<QDialog*>(w)->reject();
        });
        const QByteArray name = command.toLatin1();
        if (command.startsWith(QLatin1String("btn")))
            h.click(name.constData());
        else
            h.trigger(name.constData());
        QCOMPARE(opened, windowClass);
        if (command.startsWith(QLatin1String("mnuPrint")))
            QVERIFY(!currentEnabled); // the Print menu prints all
        QVERIFY(h.messages.texts().isEmpty());
    }

    void printFromAnEditorChoosesTheItemOnShow()
    {
        TShellHarness h(EditorWindows());
        bool effectCurrent = false, macroCurrent = false;
        OnNextModal([&](QWidget* w) {
            OnNextModal([&](QWidget* report) {
                effectCurrent = report->findChild<QRadioButton*>(QStringLiteral("rbCurrent"))->isChecked();
                qobject_cast<QDialog*>(report)->reject();
            });
            w->findChild<QAction*>(QStringLiteral("mnuPrint"))->trigger();
            qobject_cast<QDialog*>(w)->reject();
        });
        h.trigger("mnuEffect");
        QVERIFY(effectCurrent);
        OnNextModal([&](QWidget* w) {
            OnNextModal([&](QWidget* report) {
                macroCurrent = report->findChild<QRadioButton*>(QStringLiteral("rbCurrent"))->isChecked();
                qobject_cast<QDialog*>(report)->reject();
            });
            w->findChild<QAction*>(QStringLiteral("mnuPrint"))->trigger();
            qobject_cast<QDialog*>(w)->reject();
        });
        h.trigger("mnuMacro");
        QVERIFY(macroCurrent);
    }

    void resetsAreShownOnTheNextOpening()
    {
        TShellHarness h(EditorWindows());
        h.state().show().effect(1).StepCount = 1;
        h.state().show().macro(1).KeyCount = 1;
        h.state().show().macro(1).Keys[0] = 19;
        QString effectRow, macroRow;
        const auto look = [&] {
            OnNextModal([&](QWidget* w) {
                if (auto* list = w->findChild<QListWidget*>(QStringLiteral("ListBox1")))
                    effectRow = list->item(0)->text();
                qobject_cast<QDialog*>(w)->reject();
            });
            h.trigger("mnuEffect");
            OnNextModal([&](QWidget* w) {
                if (auto* list = w->findChild<QListView*>(QStringLiteral("lbxMacNum")))
                    macroRow = list->model()->index(0, 0).data().toString();
                qobject_cast<QDialog*>(w)->reject();
            });
            h.trigger("mnuMacro");
        };
        look();
        QCOMPARE(effectRow, QStringLiteral("1 <-"));
        QCOMPARE(macroRow, QStringLiteral("1 <-"));
        h.messages.answerYes();
        h.messages.answerYes();
        h.trigger("mnuResetEffects");
        h.trigger("mnuResetMacros");
        look();
        QCOMPARE(effectRow, QStringLiteral("1"));
        QCOMPARE(macroRow, QStringLiteral("1"));
    }
};

} // namespace lumora::test

QTEST_MAIN(lumora::test::TestFxMacroShell)
#include "FxMacroShellTest.moc"
