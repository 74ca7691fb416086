// The Set Channel Levels dialog through its widgets.

#include "CueWindowsSupport.h"

#include "cues/InputLev2.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace lumora::test {

class TestInputLevel2 final : public QObject, private TDialogTest<TfmInputLevel2> {
    Q_OBJECT

private:
    QLineEdit* edit() const { return m_dialog->findChild<QLineEdit*>(QStringLiteral("Edit1")); }
    QRadioButton* radio(const char* name) const
    {
        return m_dialog->findChild<QRadioButton*>(QString::fromLatin1(name));
    }

private slots:
    void init() { newDialog(); }
    void cleanup() { dropDialog(); }

    void levels_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("level"); // -2: refused
        QTest::newRow("100") << "100" << 100;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("55") << "55" << 55;
        QTest::newRow("101") << "101" << -2;
        QTest::newRow("50.5") << "50.5" << -2;
        QTest::newRow("empty") << "" << -2;
        QTest::newRow("x") << "x" << -2;
    }
    void levels()
    {
        QFETCH(QString, text);
        QFETCH(int, level);
        open();
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Set Channel Levels"));
        QVERIFY(radio("rbLevel")->isChecked());
        QCOMPARE(edit(), QApplication::focusWidget());
        TypeInto(edit(), text);
        QTest::keyClick(edit(), Qt::Key_Return);
        if (level == -2) {
            QCOMPARE(m_ui.messages(), std::vector<std::string>{"The level must be a number between 0 and 100"});
            QVERIFY(m_dialog->isVisible());
            QCOMPARE(m_dialog->level(), -1);
            click(button("btnCancel"));
            QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        } else {
            QVERIFY(m_ui.messages().empty());
            QVERIFY(!m_dialog->isVisible());
            QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
            QCOMPARE(m_dialog->level(), level);
        }
    }

    void nullChannelsWhateverTheBoxHolds()
    {
        open();
        TypeInto(edit(), QStringLiteral("77"));
        click(radio("rbNull"));
        QVERIFY(!edit()->isEnabled());
        click(button("btnApply"));
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(m_dialog->level(), -1);
        QVERIFY(m_ui.messages().empty());

        open(); // the choice is kept
        QVERIFY(radio("rbNull")->isChecked());
        QVERIFY(!edit()->isEnabled());
        QCOMPARE(edit()->text(), QString());
        click(radio("rbLevel"));
        QVERIFY(edit()->isEnabled());
        TypeInto(edit(), QStringLiteral("40"));
        click(button("btnApply"));
        QCOMPARE(m_dialog->level(), 40);
    }
};

std::unique_ptr<QObject> MakeInputLevel2Test()
{
    return std::make_unique<TestInputLevel2>();
}

} // namespace lumora::test

#include "InputLev2Test.moc"
