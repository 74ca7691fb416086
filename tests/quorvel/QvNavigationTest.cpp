// The four Quorvel windows as the main window opens them: the "QV Setup" menus hand over
// type -> device -> action -> position -> type, Close ends the chain, and the View menu's
// QV Action opens once.

#include "QvWindowsSupport.h"

#include "quorvel/QVDevice.h"
#include "quorvel/QVType.h"
#include "quorvel/qvAction.h"
#include "quorvel/qvPosition.h"
#include "shell/ShellFixture.h"

#include <QPushButton>

namespace lumora::test {

class TestQvNavigation final : public QObject {
    Q_OBJECT

private:
    QStringList m_seen;

    // On the next window: note its class, then choose item from its menus (or click
    // button when item starts with "btn").
    void then(const char* item, std::function<void()> next = {})
    {
        OnNextModal([this, item, next](QWidget* w) {
            m_seen << QString::fromLatin1(w->metaObject()->className());
            if (next)
                next();
            if (QByteArray(item).startsWith("btn") || QByteArray(item) == "BitBtn1")
                QTest::mouseClick(w->findChild<QPushButton*>(QString::fromLatin1(item)), Qt::LeftButton);
            else
                w->findChild<QAction*>(QString::fromLatin1(item))->trigger();
        });
    }

private slots:
    void cleanup()
    {
        QCOMPARE(PendingModalHandlers(), 0);
        CancelModalHandlers();
        m_seen.clear();
    }

    void familyLoopGoesRoundAndBack()
    {
        TShellHarness h(EditorWindows());
        for (const char* button : {"btnQvType", "btnQvDevice", "btnQvAction", "btnQvPosition"})
            QVERIFY(h.button(button)->isEnabled());
        QVERIFY(h.action("mnuPrintQvPosition")->isEnabled());
        then("mnuQvDevice", [this] {
            then("mnuQvAction",
                 [this] { then("mnuQvPosition", [this] { then("mnuQvType", [this] { then("btnClose"); }); }); });
        });
        h.click("btnQvType");
        QCOMPARE(m_seen, (QStringList{"lumora::TfmQVType", "lumora::TfmQVDevice", "lumora::TfmQVAction",
                                      "lumora::TfmQVPosition", "lumora::TfmQVType"}));
    }

    void viewMenusQvActionOpensOnce()
    {
        TShellHarness h(EditorWindows());
        then("mnuQvPosition");
        h.trigger("mnuQvAction");
        QCOMPARE(m_seen, QStringList{"lumora::TfmQVAction"});
    }

    void resetAllEmptiesWhatTheWindowsShow()
    {
        TShellHarness h(EditorWindows());
        h.state().show().quorvel.type(1).name = "Spot";
        h.messages.answerYes();
        h.trigger("mnuResetAll");
        QString shown;
        OnNextModal([&shown](QWidget* w) {
            shown = w->findChild<QLineEdit*>(QStringLiteral("edtTypeName"))->text();
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
        });
        h.trigger("mnuQvType");
        QCOMPARE(shown, QString());
    }
};

std::unique_ptr<QObject> MakeQvNavigationTest()
{
    return std::make_unique<TestQvNavigation>();
}

} // namespace lumora::test

#include "QvNavigationTest.moc"
