// The QV action editor through its widgets: Continuous loops, Single Step keys and
// double-clicks, steps, changing the action with and without keeping the edits.

#include "QvWindowsSupport.h"

#include "quorvel/qvAction.h"
#include "support/RecordingUi.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QPushButton>

namespace lumora::test {

namespace {
using L = TQvActionColumn;
using S = TQvStepColumn;
constexpr int C(L c)
{
    return static_cast<int>(c);
}
constexpr int C(S c)
{
    return static_cast<int>(c);
}
} // namespace

class TestQVAction final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TfmQVAction> m_window;

    TQuorvel& q() { return m_state->show().quorvel; }
    TGrid* list() const { return &m_window->list(); }
    TGrid* steps() const { return &m_window->steps(); }
    void open()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void close(IUserInterface::Answer answer)
    {
        m_ui->answer(answer);
        QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_window = std::make_unique<TfmQVAction>(*m_state);
        TQVAction& a = q().action(4);
        a.loops = kQvLoopsContinuous;
        a.positions[0] = 12;
        a.times[0] = 25;
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
        m_window.reset();
        m_state.reset();
        m_ui.reset();
    }

    void continuousLoopsAndSingleStep()
    {
        open();
        QAbstractItemModelTester tester(&list()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(CellText(list(), 3, C(L::Loops)), QStringLiteral("Continuous"));
        // "c" typed on a Loops cell, and "c" typed after digits.
        list()->setFocus();
        list()->setCurrentIndex(list()->gridModel().index(0, C(L::Loops)));
        QTest::keyClick(list(), Qt::Key_C);
        QCOMPARE(CellText(list(), 0, C(L::Loops)), QStringLiteral("Continuous"));
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("lblAction"))->text(), QStringLiteral("Action # 1"));
        // Single Step: y writes Yes, a double-click toggles.
        list()->setCurrentIndex(list()->gridModel().index(0, C(L::SingleStep)));
        QTest::keyClick(list(), Qt::Key_Y);
        QCOMPARE(CellText(list(), 0, C(L::SingleStep)), QStringLiteral("Yes"));
        DoubleClickCell(list(), 0, C(L::SingleStep));
        DoubleClickCell(list(), 0, C(L::SingleStep));
        QCOMPARE(CellText(list(), 0, C(L::SingleStep)), QStringLiteral("Yes"));
        TypeIntoCell(steps(), 0, C(S::Position), QStringLiteral("12"));
        TypeIntoCell(steps(), 0, C(S::Time), QStringLiteral("2.5"));
        Screenshot(m_window.get(), "qvaction");
        close(IUserInterface::Answer::Yes);
        QCOMPARE(q().action(1).loops, kQvLoopsContinuous);
        QCOMPARE(q().action(1).singleStep, std::uint16_t(1));
        QCOMPARE(q().action(1).positions[0], std::uint16_t(12));
        QCOMPARE(q().action(1).times[0], std::uint16_t(25));
        QCOMPARE(q().action(1).delays[0], std::uint16_t(0));
    }

    void loopsAboveTheLimitAreRefused()
    {
        open();
        QCOMPARE(TypeIntoCell(list(), 1, C(L::Loops), QStringLiteral("65535")), QStringLiteral("65535"));
        QCOMPARE(m_ui->messages(), std::vector<std::string>{kMsgQvLoopsRange});
        QCOMPARE(CellText(list(), 1, C(L::Loops)), QStringLiteral("0"));
        TypeIntoCell(list(), 1, C(L::Loops), QStringLiteral("7c"));
        QCOMPARE(CellText(list(), 1, C(L::Loops)), QStringLiteral("Continuous"));
        close(IUserInterface::Answer::No);
    }

    void changingTheActionAsksAndNoDropsTheEdits()
    {
        open();
        ClickCell(list(), 3, C(L::Loops));
        QCOMPARE(CellText(steps(), 0, C(S::Position)), QStringLiteral("12"));
        TypeIntoCell(list(), 3, C(L::Loops), QStringLiteral("3"));
        TypeIntoCell(steps(), 0, C(S::Position), QString()); // empties the whole step
        QCOMPARE(CellText(steps(), 0, C(S::Time)), QString());
        m_ui->answerNo();
        ClickCell(list(), 8, C(L::Loops));
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("lblAction"))->text(), QStringLiteral("Action # 9"));
        QCOMPARE(CellText(list(), 3, C(L::Loops)), QStringLiteral("Continuous"));
        TypeIntoCell(steps(), 1, C(S::Position), QStringLiteral("5"));
        m_ui->answerYes();
        ClickCell(list(), 3, C(L::Loops));
        QCOMPARE(q().action(9).positions[1], std::uint16_t(5));
        QCOMPARE(q().action(4).loops, kQvLoopsContinuous);
        QCOMPARE(CellText(steps(), 0, C(S::Position)), QStringLiteral("12"));
        QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
    }
};

std::unique_ptr<QObject> MakeQVActionTest()
{
    return std::make_unique<TestQVAction>();
}

} // namespace lumora::test

#include "QVActionWindowTest.moc"
