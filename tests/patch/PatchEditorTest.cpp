// The patch editor and the Set Patch dialog through their widgets: the grid and its
// boxes, Set Patch with increment, park and un-park, pages, Unity, empty cells.

#include "PatchWindowsSupport.h"

#include "patch/InpPatch.h"
#include "patch/PatchEditor.h"
#include "support/RecordingUi.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace lumora::test {

namespace {

using Col = TPatchColumn;
using F = TSetPatchField;
using Strings = std::vector<std::string>;

constexpr int C(Col column)
{
    return static_cast<int>(column);
}

} // namespace

class TestPatchEditor final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TfmPatch> m_window;

    TPatch& page(int p) { return m_state->show().patch(p); }
    TGrid* grid() const { return &m_window->grid(); }
    template <class T> T* child(const char* name) const
    {
        auto* c = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    void clickButton(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void reopen()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    QString cell(int dimmer, Col column) const { return CellText(grid(), dimmer - 1, C(column)); }
    bool checked(int dimmer, Col column) const { return CellChecked(grid(), dimmer - 1, C(column)); }
    void selectRows(int first, int last)
    {
        ClickCell(grid(), first - 1, C(Col::Dimmer));
        if (last != first)
            ClickCell(grid(), last - 1, C(Col::Dimmer), Qt::ShiftModifier);
    }
    // Opens Set Patch with the right button and lets fill do the dialog's part, then OK.
    void setPatch(int overDimmer, std::function<void(TfmInputPatch*)> fill)
    {
        WhenModal<TfmInputPatch>([fill](TfmInputPatch* dialog) {
            fill(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
            if (dialog->isVisible())
                dialog->reject();
        });
        ReleaseOnCell(grid(), overDimmer - 1, C(Col::Level), Qt::RightButton);
    }
    static void typeValue(TfmInputPatch* dialog, F field, const QString& text)
    {
        TypeIntoCell(&dialog->valueGrid(), 0, static_cast<int>(field), text);
    }
    static void clickValueBox(TfmInputPatch* dialog, F field)
    {
        ClickCell(&dialog->valueGrid(), 0, static_cast<int>(field));
    }
    static void clickIncrement(TfmInputPatch* dialog)
    {
        QTest::mouseClick(dialog->findChild<QCheckBox*>(QStringLiteral("IncCheckBox")), Qt::LeftButton);
    }
    QStringList channels(int first, int last) const
    {
        QStringList shown;
        for (int d = first; d <= last; ++d)
            shown << cell(d, Col::Channel);
        return shown;
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_window = std::make_unique<TfmPatch>(*m_state);
        m_window->resize(560, 700);
    }
    void cleanup()
    {
        if (m_window->isVisible()) {
            if (m_window->sheet().pending())
                m_ui->answerNo();
            m_window->reject();
        }
        m_window.reset();
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
    }

    void opensOnPageOneWithParkedDimmers()
    {
        page(1).dimmer(3) = {0xFFFF, 40, 4, true, true}; // as a section leaves a parked dimmer
        reopen();
        QAbstractItemModelTester tester(&grid()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(grid()->rows(), 1024);
        QVERIFY(child<QRadioButton>("rbPage1")->isChecked());
        QCOMPARE(cell(3, Col::Channel), QStringLiteral("0"));
        QVERIFY(checked(3, Col::Park));
        QVERIFY(!checked(3, Col::Nondim));
        QCOMPARE(cell(3, Col::Profile), QStringLiteral("5"));
        QCOMPARE(cell(1024, Col::Dimmer), QStringLiteral("1024"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Patch Editor"));
        QCOMPARE(m_window->helpTopic(), 170);
    }

    void incrementFrom505OverTenRows()
    {
        reopen();
        selectRows(100, 109);
        setPatch(105, [](TfmInputPatch* d) {
            typeValue(d, F::Channel, QStringLiteral("505"));
            clickIncrement(d);
        });
        QCOMPARE(channels(99, 110),
                 (QStringList{"99", "505", "506", "507", "508", "509", "510", "511", "512", "0", "0", "110"}));
        QVERIFY(m_window->sheet().pending());
        QVERIFY(m_ui->messages().empty());
    }

    void incrementFromZero()
    {
        reopen();
        selectRows(20, 23);
        setPatch(21, [](TfmInputPatch* d) {
            typeValue(d, F::Channel, QStringLiteral("0"));
            clickIncrement(d);
        });
        QCOMPARE(channels(20, 23), (QStringList{"0", "0", "0", "0"}));
    }

    void dialogStartsClearEachTime()
    {
        reopen();
        selectRows(5, 5);
        setPatch(5, [](TfmInputPatch* d) {
            typeValue(d, F::Channel, QStringLiteral("44"));
            clickIncrement(d);
        });
        setPatch(5, [](TfmInputPatch* d) {
            QCOMPARE(CellText(&d->valueGrid(), 0, static_cast<int>(F::Channel)), QStringLiteral("44"));
            for (int column = 0; column < kSetPatchFieldCount; ++column)
                QVERIFY(!CellChecked(&d->applyGrid(), 0, column));
            QVERIFY(!d->findChild<QCheckBox*>(QStringLiteral("IncCheckBox"))->isChecked());
        });
    }

    void enterAppliesEscapeCancelsAndApplyBoxesUncheck()
    {
        reopen();
        selectRows(40, 41);
        WhenModal<TfmInputPatch>([](TfmInputPatch* d) {
            typeValue(d, F::Level, QStringLiteral("55"));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        ReleaseOnCell(grid(), 39, C(Col::Level), Qt::RightButton);
        QCOMPARE(cell(40, Col::Level), QStringLiteral("100"));
        QVERIFY(!m_window->sheet().pending());

        WhenModal<TfmInputPatch>([](TfmInputPatch* d) {
            typeValue(d, F::Level, QStringLiteral("55"));
            typeValue(d, F::Profile, QStringLiteral("7"));
            ClickCell(&d->applyGrid(), 0, static_cast<int>(F::Level)); // not applied after all
            QVERIFY(!CellChecked(&d->applyGrid(), 0, static_cast<int>(F::Level)));
            QTest::keyClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::Key_Return);
        });
        ReleaseOnCell(grid(), 39, C(Col::Level), Qt::RightButton);
        QCOMPARE(cell(40, Col::Level), QStringLiteral("100"));
        QCOMPARE(cell(41, Col::Profile), QStringLiteral("7"));
        QVERIFY(m_window->sheet().pending());
    }

    void noSelectionNoDialog()
    {
        reopen();
        ReleaseOnCell(grid(), 3, C(Col::Level), Qt::RightButton);
        QTest::qWait(50);
        QVERIFY(!m_window->inputPatch().isVisible());
        QVERIFY(!m_window->sheet().pending());
    }

    void parkWithoutChannelKeepsTheStoredChannel()
    {
        page(1).dimmer(30) = {77, 100, 0, false, true};
        reopen();
        selectRows(30, 31);
        setPatch(30, [](TfmInputPatch* d) { clickValueBox(d, F::Park); });
        QVERIFY(checked(30, Col::Park));
        QCOMPARE(cell(30, Col::Channel), QStringLiteral("77"));
        m_ui->answerYes();
        clickButton("BitBtn1");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(page(1).dimmer(30), (TPatchEntry{77, 100, 0, true, true}));
        QVERIFY(page(1).dimmer(31).Park);
        QCOMPARE(page(1).dimmer(31).Channel, std::uint16_t{31});
        QCOMPARE(m_state->globals.showChanged, std::uint8_t{1});
    }

    void unparkingThroughTheGrid()
    {
        page(1).dimmer(9) = {0xFFFF, 50, 2, true, true};
        reopen();
        ClickCell(grid(), 8, C(Col::Park));
        QVERIFY(!checked(9, Col::Park));
        QCOMPARE(cell(9, Col::Channel), QStringLiteral("0"));
        ClickCell(grid(), 10, C(Col::Park)); // park dimmer 11: channel 0, non-dim off
        QCOMPARE(cell(11, Col::Channel), QStringLiteral("0"));
        TypeIntoCell(grid(), 10, C(Col::Channel), QStringLiteral("12"));
        QVERIFY(!checked(11, Col::Park)); // a channel un-parks
        m_ui->answerYes();
        m_window->reject();
        QCOMPARE(page(1).dimmer(9), (TPatchEntry{0, 50, 2, false, false}));
        QCOMPARE(page(1).dimmer(11), (TPatchEntry{12, 100, 0, false, false}));
    }

    void cancelOnPageChangeLeavesAll()
    {
        reopen();
        TypeIntoCell(grid(), 0, C(Col::Channel), QStringLiteral("300"));
        m_ui->answer(IUserInterface::Answer::Cancel);
        QTest::mouseClick(child<QRadioButton>("rbPage2"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>("rbPage1")->isChecked());
        QCOMPARE(cell(1, Col::Channel), QStringLiteral("300"));
        QVERIFY(m_window->sheet().pending());
        QCOMPARE(m_ui->messages(), (Strings{"Do you want to keep the changes you have made?"}));
        m_ui->answerYes();
        QTest::mouseClick(child<QRadioButton>("rbPage2"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>("rbPage2")->isChecked());
        QCOMPARE(page(1).dimmer(1).Channel, std::uint16_t{300});
        QCOMPARE(cell(1, Col::Channel), QStringLiteral("1"));
    }

    void unityOnPageTwoOnly()
    {
        page(1).dimmer(1).Channel = 77;
        page(2).dimmer(1).Channel = 88;
        reopen();
        QTest::mouseClick(child<QRadioButton>("rbPage2"), Qt::LeftButton);
        QCOMPARE(cell(1, Col::Channel), QStringLiteral("88"));
        m_ui->answerYes();
        clickButton("UnityButton");
        QCOMPARE(cell(1, Col::Channel), QStringLiteral("1"));
        QCOMPARE(page(2).dimmer(1).Channel, std::uint16_t{1});
        QCOMPARE(page(1).dimmer(1).Channel, std::uint16_t{77});
        QCOMPARE(m_ui->messages().back(), std::string("Are you sure you want to apply the Unity Patch?"));
        m_ui->answerYes();
        m_window->findChild<QAction*>(QStringLiteral("mnuClear"))->trigger();
        QCOMPARE(cell(1, Col::Channel), QStringLiteral("0"));
        QCOMPARE(page(1).dimmer(1).Channel, std::uint16_t{77});
    }

    void emptyCellsRefused()
    {
        reopen();
        TypeIntoCell(grid(), 699, C(Col::Level), QString());
        QCOMPARE(cell(700, Col::Level), QString());
        m_ui->answerYes();
        clickButton("BitBtn1");
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_ui->messages().back(),
                 std::string("Please enter a Channel (0-512), Level (0-100) and Profile (1-25) for Dimmer 700."));
        m_ui->answerYes();
        QTest::mouseClick(child<QRadioButton>("rbPage2"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>("rbPage1")->isChecked());
        QCOMPARE(page(1).dimmer(700).Level, std::uint8_t{100});
    }

    // With LUMORA_SCREENSHOTS set to a folder: the editor and the Set Patch dialog.
    void screenshot()
    {
        const QByteArray folder = qgetenv("LUMORA_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("LUMORA_SCREENSHOTS not set");
        page(1).dimmer(3) = {0xFFFF, 40, 4, true, true};
        page(1).dimmer(5).Nondim = true;
        reopen();
        selectRows(7, 10);
        setPatch(8, [folder](TfmInputPatch* d) {
            typeValue(d, F::Channel, QStringLiteral("100"));
            clickIncrement(d);
            QVERIFY(d->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/set-patch.png")));
        });
        QVERIFY(m_window->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/patch-editor.png")));
    }

    void emptyChannelInTheDialogIsRefused()
    {
        reopen();
        selectRows(3, 3);
        WhenModal<TfmInputPatch>([this](TfmInputPatch* d) {
            typeValue(d, F::Channel, QString());
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
            QVERIFY(d->isVisible());
            QCOMPARE(m_ui->messages().back(), std::string("Please enter a Channel between 0 and 512."));
            d->reject();
        });
        ReleaseOnCell(grid(), 2, C(Col::Level), Qt::RightButton);
        QCOMPARE(cell(3, Col::Channel), QStringLiteral("3"));
        QVERIFY(!m_window->sheet().pending());
    }
};

std::unique_ptr<QObject> MakePatchEditorTest()
{
    return std::make_unique<TestPatchEditor>();
}

} // namespace lumora::test

#include "PatchEditorTest.moc"
