// The submaster list through its widgets: the table, the page buttons, Delete Sub, the
// menus and their questions.

#include "SubWindowsSupport.h"

#include "shell/WindowRegistry.h"
#include "subs/SubList.h"

#include <QHeaderView>

namespace lumora::test {

namespace {

using Answer = IUserInterface::Answer;
using Strings = std::vector<std::string>;
using Col = TSubListColumn;

constexpr int C(Col column)
{
    return static_cast<int>(column);
}

} // namespace

class TestSubList final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TfmSubList> m_list;
    int m_unexpectedBefore = 0;

    TSub& sub(int page, int number) { return m_state->show().sub(page, number); }
    TGrid* grid() const { return Child<TGrid>(m_list.get(), "tsGrid1"); }
    QString cell(int sub, Col column) const { return CellText(grid(), sub - 1, C(column)); }
    QPushButton* pageButton(int k) const
    {
        return Child<QPushButton>(m_list.get(), QStringLiteral("SubPanel%1").arg(k).toLatin1().constData());
    }
    bool marked(int k) const { return pageButton(k)->styleSheet().contains(QStringLiteral("80, 112, 160")); }
    void open()
    {
        m_list->show();
        QVERIFY(QTest::qWaitForWindowActive(m_list.get()));
    }
    void typeCell(int sub, Col column, const QString& text) const { TypeIntoCell(grid(), sub - 1, C(column), text); }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_list = std::make_unique<TfmSubList>(*m_state);
        m_unexpectedBefore = UnexpectedQuestions();
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
        QVERIFY2(UnexpectedQuestions() == m_unexpectedBefore, "an unexpected question");
        m_list.reset();
        m_state.reset();
        m_ui.reset();
    }

    void opensOnPageOneWithItsButtonMarked()
    {
        sub(1, 3).SubType = kSubInhibit;
        sub(1, 3).Name = "Haze";
        sub(1, 3).TimeHold = 25;
        open();
        QCOMPARE(m_list->windowTitle(), QStringLiteral("Submaster List"));
        QStringList headings;
        for (int c = 0; c < kSubListColumnCount; ++c)
            headings << grid()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, (QStringList{"Sub", "Name", "Type", "Time Up", "Time Hold", "Time Down"}));
        QCOMPARE(grid()->model()->rowCount(), 24);
        QVERIFY(marked(1));
        QVERIFY(!marked(2));
        QCOMPARE(cell(3, Col::Sub), QStringLiteral("3"));
        QCOMPARE(cell(3, Col::Name), QStringLiteral("Haze"));
        QCOMPARE(cell(3, Col::Type), QStringLiteral("Inhibit"));
        QCOMPARE(cell(3, Col::TimeHold), QStringLiteral("2.5"));
        QCOMPARE(cell(4, Col::Type), QString());

        Click(m_list.get(), "SubPanel5");
        QVERIFY(marked(5));
        QVERIFY(!marked(1));
        QCOMPARE(cell(3, Col::Name), QString());
        Click(m_list.get(), "btnClose");
        m_list->show(); // every opening starts again at page 1
        QVERIFY(marked(1));
        QCOMPARE(cell(3, Col::Name), QStringLiteral("Haze"));
    }

    void hugeStoredTimeShowsZeroAndIsKept()
    {
        sub(1, 1).SubType = kSubNormal;
        sub(1, 1).TimeUp = 12000;
        open();
        QCOMPARE(cell(1, Col::TimeUp), QStringLiteral("0"));
        typeCell(1, Col::Name, QStringLiteral("Kept"));
        m_ui->answer(Answer::Yes);
        Click(m_list.get(), "btnClose");
        QVERIFY(!m_list->isVisible());
        QCOMPARE(m_ui->messages(), Strings{kMsgSubListSave});
        QCOMPARE(sub(1, 1).Name.str(), std::string("Kept"));
        QCOMPARE(sub(1, 1).TimeUp, std::uint16_t{12000});
    }

    void soloOnAnEmptyRowBlocksThePageUntilItsTimesAreIn()
    {
        sub(1, 2).Levels[0] = 0;
        open();
        ChooseFromList(grid(), 1, C(Col::Type), 2); // Solo
        QCOMPARE(cell(2, Col::Type), QStringLiteral("Solo"));
        Click(m_list.get(), "SubPanel2");
        QCOMPARE(m_ui->messages(), Strings{SubListTimesMessage(2)});
        QVERIFY(marked(1));

        typeCell(2, Col::TimeUp, QStringLiteral("2.5"));
        typeCell(2, Col::TimeHold, QStringLiteral("0"));
        typeCell(2, Col::TimeDown, QStringLiteral("10"));
        m_ui->clear();
        m_ui->answer(Answer::Yes);
        Click(m_list.get(), "SubPanel2");
        QCOMPARE(m_ui->messages(), Strings{kMsgSubListSave});
        QVERIFY(marked(2));
        QCOMPARE(sub(1, 2).SubType, kSubSolo);
        QCOMPARE(sub(1, 2).Name.str(), std::string());
        QCOMPARE(sub(1, 2).TimeUp, std::uint16_t{25});
        QCOMPARE(sub(1, 2).TimeDown, std::uint16_t{100});
        QCOMPARE(m_state->globals.showChanged, std::uint8_t{1});
    }

    void deleteSubThenYesResetsTheLevelsToo()
    {
        sub(1, 5).SubType = kSubNormal;
        sub(1, 5).Name = "Gone";
        sub(1, 5).Levels.fill(255);
        open();
        ClickCell(grid(), 5, C(Col::Sub)); // row of sub 6, empty
        Click(m_list.get(), "DeleteButton");
        QCOMPARE(m_ui->messages(), Strings{kMsgSubListEmptyDelete});
        m_ui->clear();

        ClickCell(grid(), 4, C(Col::Sub));
        m_ui->answer(Answer::Yes);
        Click(m_list.get(), "DeleteButton");
        QCOMPARE(cell(5, Col::Name), QString());
        QCOMPARE(sub(1, 5).SubType, kSubNormal); // not yet: the page is stored on leaving
        m_ui->answer(Answer::Yes);
        Click(m_list.get(), "SubPanel3");
        QCOMPARE(m_ui->messages(), (Strings{kMsgSubListDeleteQuestion, kMsgSubListSave}));
        QVERIFY(sub(1, 5) == TSub{});
    }

    void editorMenuHandsOverAfterTheCloseQuery()
    {
        sub(1, 1).SubType = kSubNormal;
        open();
        typeCell(1, Col::Name, QStringLiteral("x"));
        m_ui->answer(Answer::Cancel);
        Child<QAction>(m_list.get(), "mnuEditor")->trigger();
        QVERIFY(m_list->isVisible());
        m_ui->answer(Answer::No);
        Child<QAction>(m_list.get(), "mnuEditor")->trigger();
        QVERIFY(!m_list->isVisible());
        QCOMPARE(m_list->result(), kNavSubEditor);
        QCOMPARE(sub(1, 1).Name.str(), std::string());
    }

    // LUMORA_SCREENSHOT_DIR keeps a picture of the window, to look at.
    void screenshotForALook()
    {
        const QByteArray dir = qgetenv("LUMORA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("LUMORA_SCREENSHOT_DIR not set");
        for (int s = 1; s <= 24; s += 2) {
            sub(3, s).SubType = static_cast<std::uint8_t>(1 + s % 3);
            sub(3, s).Name = "Look " + std::to_string(s);
            sub(3, s).TimeUp = static_cast<std::uint16_t>(s * 5);
            sub(3, s).TimeDown = 30;
        }
        open();
        Click(m_list.get(), "SubPanel3");
        QVERIFY(m_list->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/SubList.png")));
    }

    void printAndHelpReachTheMainWindow()
    {
        int printed = 0;
        int topic = 0;
        m_list->setPrint([&](int page) { printed = page; });
        m_list->setHelp([&](int t) { topic = t; });
        open();
        Click(m_list.get(), "SubPanel12");
        Child<QAction>(m_list.get(), "mnuPrint")->trigger();
        QCOMPARE(printed, 12);
        Child<QAction>(m_list.get(), "mnuHelp")->trigger();
        QCOMPARE(topic, 160);
    }
};

std::unique_ptr<QObject> MakeSubListTest()
{
    return std::make_unique<TestSubList>();
}

} // namespace lumora::test

#include "SubListTest.moc"
