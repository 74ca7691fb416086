// The QV type editor through its widgets: the pop-up menus and double-clicks, the in-use
// warning, the type file's import and save, the name field.

#include "QvWindowsSupport.h"

#include "quorvel/QVType.h"
#include "quorvel/QVTypeFile.h"
#include "support/RecordingUi.h"

#include "show/Bytes.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

namespace lumora::test {

namespace {
using Col = TQvTypeColumn;
constexpr int C(Col c)
{
    return static_cast<int>(c);
}
} // namespace

class TestQVType final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    TScriptedFileDialogs m_files;
    std::unique_ptr<TfmQVType> m_window;
    QTemporaryDir m_temp;

    TQuorvel& q() { return m_state->show().quorvel; }
    TGrid* grid() const { return &m_window->grid(); }
    QLineEdit* nameField() const { return m_window->findChild<QLineEdit*>(QStringLiteral("edtTypeName")); }
    void open()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void click(const char* name)
    {
        auto* b = m_window->findChild<QAbstractButton*>(QString::fromLatin1(name));
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void trigger(const char* name) { m_window->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
    QString path(const char* name) const { return m_temp.filePath(QString::fromLatin1(name)); }
    void writeFile(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_files = {};
        m_window = std::make_unique<TfmQVType>(*m_state, &m_files, nullptr);
        TQVType& spot = q().type(2);
        spot.name = "Spot";
        spot.attrNames[0] = "Pan";
        spot.attrNames[1] = "Tilt";
        q().device(3) = {"Mover", 2, 10, {}};
        q().position(57).slotDevices[4] = 3;
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
        m_window.reset();
        m_state.reset();
        m_ui.reset();
    }

    void gridModelIsSound()
    {
        open();
        QAbstractItemModelTester tester(&grid()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(grid()->rows(), 39);
    }

    void widthMenuOfATypeInUseWarnsAfterTheStore()
    {
        open();
        QVERIFY(!m_window->findChild<QToolButton*>(QStringLiteral("LeftButton"))->isEnabled());
        click("RightButton");
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("NumLabel2"))->text(), QStringLiteral("Type # 2"));
        QCOMPARE(nameField()->text(), QStringLiteral("Spot"));
        ChooseFromPopUp(grid(), 0, C(Col::Width), "mnu16Bit");
        QCOMPARE(CellText(grid(), 0, C(Col::Width)), QStringLiteral("16 Bit"));
        ChooseFromPopUp(grid(), 3, C(Col::Source), "mnuSource4"); // "B Page 1"
        QCOMPARE(CellText(grid(), 3, C(Col::Source)), QStringLiteral("B"));
        QVERIFY(TypeIntoCell(grid(), 2, C(Col::Width), QStringLiteral("x")).isNull()); // keys do nothing there
        Screenshot(m_window.get(), "qvtype");
        m_ui->answerYes();
        click("btnClose");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        QCOMPARE(m_ui->messages().back(), std::string(kMsgQvTypeInUse));
        QCOMPARE(q().type(2).width[0], std::uint8_t(1));
        QCOMPARE(q().type(2).source[3], std::uint8_t(4));
        QCOMPARE(q().type(2).name.str(), std::string("            Spot"));
    }

    void doubleClicksStepMasteringRound()
    {
        open();
        for (const char* expected : {"Straight", "Inverted", ""}) {
            DoubleClickCell(grid(), 4, C(Col::Mastering));
            QCOMPARE(CellText(grid(), 4, C(Col::Mastering)), QString::fromLatin1(expected));
        }
        DoubleClickCell(grid(), 4, C(Col::Width));
        QCOMPARE(CellText(grid(), 4, C(Col::Width)), QStringLiteral("16 Bit"));
        m_ui->answer(IUserInterface::Answer::No);
        click("btnClose");
        QCOMPARE(q().type(1).width[4], std::uint8_t(0));
    }

    void pastedNameCountsAsAChange()
    {
        open();
        nameField()->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("Wash"));
        nameField()->paste();
        QTest::keyClick(nameField(), Qt::Key_V, Qt::ControlModifier); // the paste shortcut too
        m_ui->answer(IUserInterface::Answer::Cancel);
        click("btnClose");
        QVERIFY(m_window->isVisible());
        m_ui->answerYes();
        click("btnClose");
        QCOMPARE(TrimText(q().type(1).name.view()), std::string_view("WashWash"));
    }

    void shortAndLongFilesAreRefusedWithNothingChanged()
    {
        open();
        const auto record = EncodeQvTypeRecord(q().type(2));
        const QByteArray good(reinterpret_cast<const char*>(record.data()), int(record.size()));
        writeFile(path("short.qvt"), good.left(484));
        writeFile(path("long.qvt"), good + "x");
        for (const char* file : {"short.qvt", "long.qvt"}) {
            m_ui->clear();
            m_files.answers.push_back(path(file));
            trigger("mnuImport");
            QCOMPARE(m_ui->messages(), std::vector<std::string>{kMsgErrorImportingQvt});
            QCOMPARE(nameField()->text(), QString());
        }
        QCOMPARE(m_files.titles.front(), QStringLiteral("Overwrite Type # 1?"));
        QCOMPARE(m_files.filters.front(), QStringLiteral("QV Type Files (*.qvt)"));
        click("btnClose"); // nothing changed: no question
        QVERIFY(!m_window->isVisible());
    }

    void importThenNoLeavesTheTypeAsItWas()
    {
        open();
        click("RightButton");
        m_files.answers.push_back(path("spot.qvt"));
        trigger("mnuSave"); // type 2 as the show has it
        QCOMPARE(QFile(path("spot.qvt")).size(), qint64(485));
        click("LeftButton");
        m_files.answers.push_back(path("spot.qvt"));
        trigger("mnuImport");
        QCOMPARE(nameField()->text(), QStringLiteral("Spot"));
        QCOMPARE(CellText(grid(), 1, C(Col::Name)), QStringLiteral("Tilt"));
        QVERIFY(q().type(1).name.empty()); // the show is not changed by the import
        m_ui->answer(IUserInterface::Answer::No);
        click("btnClose");
        QVERIFY(q().type(1) == TQVType{});
        QCOMPARE(m_state->globals.showChanged, std::uint8_t(0));

        // Saving over the file asks first.
        open();
        m_files.answers.push_back(path("spot.qvt"));
        m_ui->answerNo();
        trigger("mnuSave");
        QCOMPARE(m_ui->messages().back(), std::string(kMsgOverwriteExistingFile));
        QCOMPARE(ReadQvTypeFile(path("spot.qvt").toStdString())->attrNames[1], TShortString<8>("Tilt"));
    }
};

std::unique_ptr<QObject> MakeQVTypeTest()
{
    return std::make_unique<TestQVType>();
}

} // namespace lumora::test

#include "QVTypeWindowTest.moc"
