// The QV device editor through its widgets: the address mask, the type menu, a device
// without a type, the in-use warning.

#include "QvWindowsSupport.h"

#include "quorvel/QVDevice.h"
#include "support/RecordingUi.h"

#include <QAbstractItemModelTester>
#include <QPushButton>

namespace lumora::test {

namespace {
using Col = TQvDeviceColumn;
constexpr int C(Col c)
{
    return static_cast<int>(c);
}
} // namespace

class TestQVDevice final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TfmQVDevice> m_window;

    TQuorvel& q() { return m_state->show().quorvel; }
    TGrid* grid() const { return &m_window->grid(); }
    void open()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void close(IUserInterface::Answer answer)
    {
        m_ui->answer(answer);
        QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_window = std::make_unique<TfmQVDevice>(*m_state);
        q().type(3).name = "Spot";
        q().device(1) = {"Left", 3, 101, {}};
        q().device(2) = {"Right", 3, 201, {}};
        q().position(57).slotDevices[19] = 2;
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
        m_window.reset();
        m_state.reset();
        m_ui.reset();
    }

    void gridShowsTheDevices()
    {
        open();
        QAbstractItemModelTester tester(&grid()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(grid()->rows(), 40);
        QCOMPARE(CellText(grid(), 0, C(Col::TypeName)), QStringLiteral("Spot"));
        QCOMPARE(CellText(grid(), 2, C(Col::Address)), QString());
        // A new show: the menu shows bare numbers even for named types.
        ChooseFromPopUp(grid(), 4, C(Col::Type), "mnuType3");
        QCOMPARE(m_window->typeMenu()->actions()[2]->text(), QStringLiteral("3"));
        QCOMPARE(CellText(grid(), 4, C(Col::Type)), QStringLiteral("3"));
        QCOMPARE(CellText(grid(), 4, C(Col::TypeName)), QStringLiteral("Spot"));
        close(IUserInterface::Answer::No);
        m_state->globals.loadedFromFile = 1;
        open();
        QCOMPARE(m_window->typeMenu()->actions()[2]->text(), QStringLiteral("3 - Spot"));
        Screenshot(m_window.get(), "qvdevice");
        QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        QVERIFY(!m_window->isVisible()); // nothing changed: no question
    }

    void addressMaskAndRules()
    {
        open();
        QCOMPARE(TypeIntoCell(grid(), 0, C(Col::Address), QStringLiteral("1019")), QStringLiteral("1019"));
        QCOMPARE(TypeIntoCell(grid(), 1, C(Col::Address), QStringLiteral("1024")), QStringLiteral("102"));
        QCOMPARE(TypeIntoCell(grid(), 2, C(Col::Address), QStringLiteral("0")), QStringLiteral("0"));
        QCOMPARE(CellText(grid(), 2, C(Col::Address)), QStringLiteral("1"));
        QCOMPARE(TypeIntoCell(grid(), 3, C(Col::Type), QStringLiteral("9")), QString()); // refused by the mask
        close(IUserInterface::Answer::Yes);
        QCOMPARE(q().device(1).address, std::uint16_t(1019));
        QCOMPARE(q().device(2).address, std::uint16_t(102));
        QCOMPARE(q().device(3).address, std::uint16_t(1));
        QCOMPARE(q().device(4).address, std::uint16_t(0));                 // never touched
        QCOMPARE(m_ui->messages().back(), std::string(kMsgQvDeviceInUse)); // device 2 is in position 57
    }

    void deviceWithNoType()
    {
        open();
        TypeIntoCell(grid(), 0, C(Col::Type), QString());
        QCOMPARE(CellText(grid(), 0, C(Col::TypeName)), QString());
        close(IUserInterface::Answer::Yes);
        QCOMPARE(q().device(1).type, std::uint16_t(0));
        QCOMPARE(q().device(1).address, std::uint16_t(101));
        QCOMPARE(m_ui->messages().size(), std::size_t(1)); // device 1 is in no position
    }
};

std::unique_ptr<QObject> MakeQVDeviceTest()
{
    return std::make_unique<TestQVDevice>();
}

} // namespace lumora::test

#include "QVDeviceWindowTest.moc"
