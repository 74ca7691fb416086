// The Copy Range dialog through its widgets.

#include "CueWindowsSupport.h"

#include "cues/CopyRnge.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace lumora::test {

class TestCopyRange final : public QObject, private TDialogTest<TfmCopyRange> {
    Q_OBJECT

private:
    QLineEdit* edit() const { return m_dialog->findChild<QLineEdit*>(QStringLiteral("Edit1")); }

private slots:
    void init() { newDialog(); }
    void cleanup() { dropDialog(); }

    void validNumber()
    {
        open();
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Copy Range"));
        TypeInto(edit(), QStringLiteral("10"));
        click("btnOK");
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QVERIFY(m_dialog->accepted());
        QCOMPARE(m_dialog->cueNumber(), 100);
        QVERIFY(m_ui.messages().empty());
    }

    // After the message, a click on OK closes all the same; Enter stays.
    void refusedNumberOnOkAndOnEnter()
    {
        const std::vector<std::string> message{"The Cue number must be a valid number from 0.1 to 999.9"};
        open();
        TypeInto(edit(), QStringLiteral("abc"));
        click("btnOK");
        QCOMPARE(m_ui.messages(), message);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QVERIFY(!m_dialog->accepted());

        m_ui.clear();
        open();
        QCOMPARE(edit()->text(), QString());
        TypeInto(edit(), QStringLiteral("abc"));
        QTest::keyClick(edit(), Qt::Key_Return);
        QCOMPARE(m_ui.messages(), message);
        QVERIFY(m_dialog->isVisible());
        QVERIFY(!m_dialog->accepted());
        TypeInto(edit(), QStringLiteral("0.5"));
        QTest::keyClick(edit(), Qt::Key_Enter);
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(m_dialog->accepted());
        QCOMPARE(m_dialog->cueNumber(), 5);
    }

    void cancelLeavesNoNumber()
    {
        open();
        TypeInto(edit(), QStringLiteral("10"));
        QTest::keyClick(edit(), Qt::Key_Return);
        QCOMPARE(m_dialog->cueNumber(), 100);
        open();
        QCOMPARE(m_dialog->cueNumber(), -1);
        TypeInto(edit(), QStringLiteral("20"));
        click("btnCancel");
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(m_dialog->cueNumber(), -1);
        QVERIFY(!m_dialog->accepted());
    }
};

std::unique_ptr<QObject> MakeCopyRangeTest()
{
    return std::make_unique<TestCopyRange>();
}

} // namespace lumora::test

#include "CopyRngeTest.moc"
