// The profile editor and its dialogs through their widgets: drawing on the chart,
// smoothing, typing, ranges with the level dialog, rename, reset, tabs and closing.

#include "PatchWindowsSupport.h"

#include "patch/ProfileEditor.h"
#include "patch/RenProf.h"
#include "patch/profileLevel.h"
#include "support/RecordingUi.h"
#include "widgets/ProfileChart.h"

#include <QAction>
#include <QPushButton>
#include <QTabBar>

namespace lumora::test {

namespace {

using Strings = std::vector<std::string>;
constexpr int kOut = 1;

} // namespace

class TestProfileEditor final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TfmProfile> m_window;

    TProfile& profile(int n) { return m_state->show().profile(n); }
    TGrid* grid() const { return &m_window->grid(); }
    TProfileChart* chart() const { return &m_window->chart(); }
    void clickButton(const char* name)
    {
        QTest::mouseClick(m_window->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    void reopen()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    // The middle of the pixel square of (input, output) on the chart.
    QPoint at(int input, int output) const
    {
        const QRectF plot = chart()->plotRect();
        return QPointF(plot.left() + (input + 0.5) * plot.width() / 256,
                       plot.bottom() - (output + 0.5) * plot.height() / 256)
            .toPoint();
    }
    void draw(std::initializer_list<std::pair<int, int>> points)
    {
        QTest::mousePress(chart(), Qt::LeftButton, {}, at(points.begin()->first, points.begin()->second));
        for (const auto& [input, output] : points)
            QTest::mouseMove(chart(), at(input, output));
        QTest::mouseRelease(chart(), Qt::LeftButton, {}, at(std::prev(points.end())->first, 0));
    }
    void smooth() { QTest::mouseClick(chart(), Qt::RightButton, {}, at(128, 128)); }
    QString out(int input) const { return CellText(grid(), input, kOut); }
    std::vector<int> values(int first, int last) const
    {
        std::vector<int> v;
        for (int i = first; i <= last; ++i) {
            v.push_back(chart()->value(i));
            if (out(i) != QString::number(chart()->value(i)))
                qWarning("table and chart differ at input %d", i);
        }
        return v;
    }
    void chooseTab(int number)
    {
        QTabBar& tabs = m_window->tabs();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(number - 1).center());
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_window = std::make_unique<TfmProfile>(*m_state);
        m_window->resize(1000, 700);
    }
    void cleanup()
    {
        if (m_window->isVisible()) {
            if (m_window->sheet().changed())
                m_ui->answerNo();
            m_window->reject();
        }
        m_window.reset();
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
    }

    void opensOnProfileOne()
    {
        reopen();
        QCOMPARE(m_window->tabs().count(), 25);
        QCOMPARE(m_window->tabs().currentIndex(), 0);
        QCOMPARE(chart()->title(), QStringLiteral("Linear"));
        QCOMPARE(grid()->rows(), 256);
        QCOMPARE(out(200), QStringLiteral("200"));
        QCOMPARE(CellText(grid(), 17, 0), QStringLiteral("17"));
        QCOMPARE(m_window->helpTopic(), 180);
    }

    void drawingAtInputZeroAndOne()
    {
        reopen();
        draw({{0, 50}, {0, 50}});
        QVERIFY(!m_window->sheet().changed());
        QCOMPARE(values(0, 2), (std::vector<int>{0, 1, 2}));
        draw({{1, 50}, {1, 50}});
        QVERIFY(m_window->sheet().changed());
        QCOMPARE(values(0, 3), (std::vector<int>{50, 50, 50, 3}));
    }

    void fastMoveDrawsAFlatStep()
    {
        reopen();
        draw({{40, 128}, {60, 128}});
        QCOMPARE(values(38, 62), (std::vector<int>{38,  128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128,
                                                   128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 62}));
    }

    void smoothingLinearAndASpike()
    {
        reopen();
        smooth();
        QVERIFY(!m_window->sheet().changed());
        QCOMPARE(values(0, 255)[100], 100);
        TypeIntoCell(grid(), 100, kOut, QStringLiteral("255"));
        QCOMPARE(chart()->value(100), 255);
        smooth();
        QCOMPARE(chart()->value(100), 245);
        QCOMPARE(out(100), QStringLiteral("245"));
        QVERIFY(chart()->value(99) > 99);
        QVERIFY(chart()->value(101) > 101);
    }

    void rangeWithEndAboveAnchor()
    {
        reopen();
        ReleaseOnCell(grid(), 29, kOut, Qt::LeftButton);
        ReleaseOnCell(grid(), 27, kOut, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(m_window->sheet().selectedRows(), (std::optional(std::pair{28, 30})));
        QVERIFY(grid()->gridModel().index(28, kOut).data(Qt::BackgroundRole).value<QColor>().isValid());
        WhenModal<TfmProfileLevel>([](TfmProfileLevel* d) {
            TypeInto(d->edtLevel(), QStringLiteral("5"));
            QTest::keyClick(d->edtLevel(), Qt::Key_Return);
        });
        ReleaseOnCell(grid(), 28, kOut, Qt::RightButton);
        QTRY_COMPARE(out(28), QStringLiteral("5"));
        QCOMPARE(values(26, 30), (std::vector<int>{26, 5, 5, 5, 30}));
        QVERIFY(!m_window->sheet().hasRange());
        QVERIFY(!grid()->gridModel().index(28, kOut).data(Qt::BackgroundRole).value<QColor>().isValid());
    }

    void levelDialogRefusals()
    {
        reopen();
        ReleaseOnCell(grid(), 10, kOut, Qt::LeftButton);
        ReleaseOnCell(grid(), 12, kOut, Qt::LeftButton, Qt::ShiftModifier);
        WhenModal<TfmProfileLevel>([this](TfmProfileLevel* d) {
            for (const char* typed : {"256", "abc"}) {
                m_ui->clear();
                TypeInto(d->edtLevel(), QString::fromLatin1(typed));
                QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
                QVERIFY(d->isVisible());
                QCOMPARE(m_ui->messages(), (Strings{"Please enter a number between 0 and 255."}));
            }
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
        });
        ReleaseOnCell(grid(), 11, kOut, Qt::RightButton);
        QTRY_VERIFY(!m_window->levelDialog().isVisible());
        QVERIFY(m_window->sheet().hasRange()); // Cancel keeps the range
        QCOMPARE(values(10, 12), (std::vector<int>{10, 11, 12}));
    }

    void emptyRenameIsKept()
    {
        reopen();
        WhenModal<TfmGetProfName>([](TfmGetProfName* d) {
            QVERIFY(d->edit1()->text().isEmpty());
            QTest::keyClick(d->edit1(), Qt::Key_Return);
        });
        clickButton("btnRename");
        QCOMPARE(chart()->title(), QString());
        m_ui->answerYes();
        clickButton("btnClose");
        QVERIFY(!m_window->isVisible());
        QVERIFY(profile(1).name.empty());
        QCOMPARE(m_state->globals.showChanged, std::uint8_t{1});
    }

    void resetProfileSeven()
    {
        profile(7).name = "Mine";
        profile(7).curve.fill(9);
        reopen();
        chooseTab(7);
        QCOMPARE(m_window->sheet().current(), 7);
        QCOMPARE(chart()->title(), QStringLiteral("Mine"));
        TypeIntoCell(grid(), 3, kOut, QStringLiteral("200"));
        m_ui->answerYes();
        clickButton("btnReset");
        QCOMPARE(m_ui->messages().back(), std::string("Are you sure you want to reset this Profile to default?"));
        QVERIFY(profile(7).name.empty());
        for (int i = 0; i < 256; ++i)
            QCOMPARE(int(profile(7).curve[static_cast<std::size_t>(i)]), i);
        QCOMPARE(out(3), QStringLiteral("3"));
        QCOMPARE(chart()->title(), QString());
        QVERIFY(!m_window->sheet().changed());
        QCOMPARE(m_state->globals.showChanged, std::uint8_t{1});
    }

    void tabCancelStaysAndYesKeeps()
    {
        reopen();
        TypeIntoCell(grid(), 5, kOut, QStringLiteral("99"));
        m_ui->answer(IUserInterface::Answer::Cancel);
        chooseTab(2);
        QCOMPARE(m_window->tabs().currentIndex(), 0);
        QCOMPARE(out(5), QStringLiteral("99"));
        m_ui->answerYes();
        chooseTab(2);
        QCOMPARE(m_window->tabs().currentIndex(), 1);
        QCOMPARE(chart()->title(), QStringLiteral("Preheat 1"));
        QCOMPARE(int(profile(1).curve[5]), 99);
    }

    // With LUMORA_SCREENSHOTS set to a folder: the editor with a drawn, smoothed curve
    // and a range, to look at.
    void screenshot()
    {
        const QByteArray folder = qgetenv("LUMORA_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("LUMORA_SCREENSHOTS not set");
        profile(1).name = "Stage left";
        reopen();
        draw({{30, 20}, {60, 90}, {90, 150}, {120, 200}, {160, 230}, {200, 245}});
        smooth();
        ReleaseOnCell(grid(), 3, kOut, Qt::LeftButton);
        ReleaseOnCell(grid(), 8, kOut, Qt::LeftButton, Qt::ShiftModifier);
        QVERIFY(m_window->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/profile-editor.png")));
    }

    void printAsksForTheCurrentProfile()
    {
        int printed = 0;
        m_window->setPrint([&printed](int n) { printed = n; });
        reopen();
        chooseTab(12);
        m_window->findChild<QAction*>(QStringLiteral("mnuPrint"))->trigger();
        QCOMPARE(printed, 12);
    }

    void emptiedCellCountsAsZero()
    {
        reopen();
        TypeIntoCell(grid(), 40, kOut, QString());
        QCOMPARE(out(40), QStringLiteral("0")); // filled as the cursor left it
        QCOMPARE(chart()->value(40), 0);
        QVERIFY(m_window->sheet().changed());
    }
};

std::unique_ptr<QObject> MakeProfileEditorTest()
{
    return std::make_unique<TestProfileEditor>();
}

} // namespace lumora::test

#include "ProfileEditorTest.moc"
