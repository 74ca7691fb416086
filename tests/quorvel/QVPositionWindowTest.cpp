// The QV position editor and the position picker through their widgets: slots and their
// devices, a 16-bit attribute at the end of the map, the picker's choice, the warnings.

#include "QvWindowsSupport.h"

#include "quorvel/qvPosition.h"
#include "quorvel/qvposSelect.h"
#include "support/RecordingUi.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QPushButton>

namespace lumora::test {

namespace {
using SC = TQvSlotColumn;
using AC = TQvAttrColumn;
constexpr int C(SC c)
{
    return static_cast<int>(c);
}
constexpr int C(AC c)
{
    return static_cast<int>(c);
}
} // namespace

class TestQVPosition final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TfmQVPosition> m_window;

    TQuorvel& q() { return m_state->show().quorvel; }
    TGrid* slots_() const { return &m_window->slotGrid(); }
    TGrid* attrs() const { return &m_window->attributeGrid(); }
    QString label(const char* name) const { return m_window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    void open()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void close() { QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton); }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_window = std::make_unique<TfmQVPosition>(*m_state);
        TQVType& mover = q().type(2);
        mover.name = "Mover";
        mover.attrNames[0] = "Pan";
        mover.width[0] = 1;
        mover.attrNames[1] = "Tilt";
        mover.width[1] = 1;
        q().device(5) = {"Left", 2, 10, {}};
        q().device(6) = {"End", 2, 1022, {}}; // Tilt's high byte would fall at 1024
        q().device(7) = {"Lost", 0, 30, {}};
        q().position(1).slotDevices = {5, 6, 7};
        q().position(5).slotDevices[0] = 6;
        for (TQVPosition& p : q().positions)
            p.timeMap.fill(kQvNoTime);
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
        m_window.reset();
        m_state.reset();
        m_ui.reset();
    }

    void slotsAndAttributes()
    {
        open();
        QAbstractItemModelTester tester(&attrs()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(label("NumLabel"), QStringLiteral("Position #1"));
        QCOMPARE(label("lblQVType"), QStringLiteral("QV Type #2 - Mover"));
        QCOMPARE(CellText(slots_(), 0, C(SC::DeviceName)), QStringLiteral("Left"));
        TypeIntoCell(attrs(), 0, C(AC::Value), QStringLiteral("1000"));
        TypeIntoCell(attrs(), 1, C(AC::Time), QStringLiteral("2.5"));
        QVERIFY(TypeIntoCell(attrs(), 2, C(AC::Value), QStringLiteral("1")).isNull()); // no third attribute
        Screenshot(m_window.get(), "qvposition");
        m_ui->answerYes();
        ClickCell(slots_(), 2, C(SC::Master)); // device 7 has no type: nothing to edit
        QCOMPARE(label("lblQVType"), QString());
        QVERIFY(TypeIntoCell(attrs(), 0, C(AC::Time), QStringLiteral("1")).isNull());
        QCOMPARE(q().position(1).valueMap[9], std::uint8_t(0xE8));
        QCOMPARE(q().position(1).valueMap[10], std::uint8_t(0x03));
        QCOMPARE(q().position(1).timeMap[10], std::uint16_t(25));
        close();
    }

    void sixteenBitAttributeAtTheEndOfTheMap()
    {
        open();
        ClickCell(slots_(), 1, C(SC::Master));
        QCOMPARE(CellText(attrs(), 1, C(AC::Name)), QStringLiteral("Tilt"));
        QCOMPARE(CellText(attrs(), 1, C(AC::Value)), QString());
        QVERIFY(TypeIntoCell(attrs(), 1, C(AC::Value), QStringLiteral("7")).isNull());
        TypeIntoCell(attrs(), 1, C(AC::Time), QStringLiteral("1"));
        q().position(1).valueMap[1023] = 0x5A;
        m_ui->answerYes();
        close();
        QVERIFY(!m_window->isVisible());
        QCOMPARE(q().position(1).valueMap[1023], std::uint8_t(0x5A));
        QCOMPARE(q().position(1).timeMap[1022], std::uint16_t(10));
    }

    void warningsKeepTheOldEntry()
    {
        open();
        TypeIntoCell(attrs(), 0, C(AC::Value), QStringLiteral("65536"));
        TypeIntoCell(attrs(), 0, C(AC::Time), QStringLiteral("12."));
        TypeIntoCell(slots_(), 0, C(SC::Device), QStringLiteral("41"));
        TypeIntoCell(slots_(), 0, C(SC::Master), QStringLiteral("256"));
        QCOMPARE(m_ui->messages(), (std::vector<std::string>{kMsgQvValueNumber, kMsgQvTimeEntry, kMsgQvDeviceNumber,
                                                             kMsgQvMasterNumber}));
        QCOMPARE(CellText(slots_(), 0, C(SC::Device)), QStringLiteral("5"));
        QCOMPARE(CellText(attrs(), 0, C(AC::Value)), QStringLiteral("0"));
        close(); // nothing was taken: no question
        QVERIFY(!m_window->isVisible());
    }

    void pickersChoiceReachesTheSlots()
    {
        open();
        // A number out of range is refused and the picker stays; 5 is taken.
        WhenModal<TfrmSelectQVpos>([this](TfrmSelectQVpos* picker) {
            auto* edit = picker->findChild<QLineEdit*>(QStringLiteral("edtPos"));
            QTest::keyClicks(edit, QStringLiteral("0"));
            QTest::keyClick(edit, Qt::Key_Return);
            QVERIFY(picker->isVisible());
            QCOMPARE(m_ui->messages(), std::vector<std::string>{kMsgQvPickPosition});
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("5"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        m_window->findChild<QAction*>(QStringLiteral("mnuGoTo"))->trigger();
        QCOMPARE(label("NumLabel"), QStringLiteral("Position #5"));
        QCOMPARE(CellText(slots_(), 0, C(SC::Device)), QStringLiteral("6"));
        QCOMPARE(CellText(slots_(), 0, C(SC::DeviceName)), QStringLiteral("End"));
        QCOMPARE(m_window->sheet().currentDevice(), 6);
        // Changing the slot's device shows the new device's attributes.
        m_window->activateWindow(); // the offscreen platform leaves the hidden picker active
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(m_window.get()));
        QCOMPARE(TypeIntoCell(slots_(), 0, C(SC::Device), QStringLiteral("5")), QStringLiteral("5"));
        QCOMPARE(m_ui->messages().size(), std::size_t(1));
        QCOMPARE(CellText(slots_(), 0, C(SC::DeviceName)), QStringLiteral("Left"));
        QCOMPARE(m_window->sheet().currentDevice(), 5);
        m_ui->answerYes();
        close();
        QCOMPARE(q().position(5).slotDevices[0], std::uint8_t(5));
    }
};

std::unique_ptr<QObject> MakeQVPositionTest()
{
    return std::make_unique<TestQVPosition>();
}

} // namespace lumora::test

#include "QVPositionWindowTest.moc"
