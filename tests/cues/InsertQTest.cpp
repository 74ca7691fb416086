// The Insert Cue dialog through its widgets.

#include "CueWindowsSupport.h"

#include "cues/InsertQ.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace lumora::test {

class TestInsertQ final : public QObject, private TDialogTest<TfmInsertQ> {
    Q_OBJECT

private:
    QLineEdit* number() const { return m_dialog->findChild<QLineEdit*>(QStringLiteral("edtCueNo")); }
    QComboBox* type() const { return m_dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1")); }

private slots:
    void init() { newDialog(); }
    void cleanup() { dropDialog(); }

    void looks()
    {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Insert Cue"));
        QCOMPARE(type()->count(), 5);
        QCOMPARE(type()->itemText(4), QStringLiteral("Multipart"));
        QCOMPARE(type()->currentText(), QStringLiteral("Preset"));
    }

    void acceptedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tenths");
        QTest::newRow("0.1") << "0.1" << 1;
        QTest::newRow("999.9") << "999.9" << 9999;
        QTest::newRow("7") << "7" << 70;
        QTest::newRow("12.5") << "12.5" << 125;
    }
    void acceptedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, tenths);
        open();
        QCOMPARE(m_dialog->cueNumber(), -1);
        type()->setCurrentIndex(kCueAutostartTrack);
        TypeInto(number(), text);
        QTest::keyClick(number(), Qt::Key_Return); // Enter is OK
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(m_dialog->cueNumber(), tenths);
        QCOMPARE(m_dialog->cueType(), std::uint8_t(kCueAutostartTrack));
        QVERIFY(m_ui.messages().empty());
    }

    void refusedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* t : {"0", "0.05", "1000", "12.34", "", "abc", "1,5"})
            QTest::newRow(*t ? t : "empty") << QString::fromLatin1(t);
    }
    void refusedNumbers()
    {
        QFETCH(QString, text);
        open();
        TypeInto(number(), text);
        click("btnOK");
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_ui.messages(), std::vector<std::string>{"Please enter a Cue between 0.1 and 999.9"});
        QCOMPARE(m_dialog->cueNumber(), -1);
        click("btnCancel");
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    }

    void eachOpeningStartsEmptyAndKeepsTheType()
    {
        open();
        type()->setCurrentIndex(kCueTrack);
        TypeInto(number(), QStringLiteral("3"));
        click("btnOK");
        QCOMPARE(m_dialog->cueNumber(), 30);
        open();
        QCOMPARE(number()->text(), QString());
        QCOMPARE(m_dialog->cueNumber(), -1);
        QCOMPARE(number(), QApplication::focusWidget());
        QCOMPARE(type()->currentText(), QStringLiteral("Track"));
        QTest::keyClick(number(), Qt::Key_Escape);
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    }
};

std::unique_ptr<QObject> MakeInsertQTest()
{
    return std::make_unique<TestInsertQ>();
}

} // namespace lumora::test

#include "InsertQTest.moc"
