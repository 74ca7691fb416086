// The two submaster report dialogs through their widgets: their choices in each mode,
// the data file each Print writes, and the pages laid out from it.

#include "SubWindowsSupport.h"

#include "print/Preview.h"
#include "subs/rptSubList.h"
#include "subs/rptSubs.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>

namespace lumora::test {

namespace {

using Strings = std::vector<std::string>;

struct TFixture {
    TRecordingUi ui;
    TEditorState state{ui};
    TTempDir temp;
    TPosixReportFolder folder{temp.file("reports")};
    QList<TReportDocument> previews;

    TFixture()
    {
        SetReportPreviewHook([this](const TReportDocument& doc, const QString& title) {
            previews.push_back(doc);
            // LUMORA_REPORT_PDF_DIR keeps each report as a PDF, to look at.
            const QByteArray dir = qgetenv("LUMORA_REPORT_PDF_DIR");
            if (!dir.isEmpty())
                QVERIFY(SaveReportPdf(doc, QString::fromLocal8Bit(dir) + QLatin1Char('/') + title + ".pdf", title));
        });
    }
    ~TFixture() { SetReportPreviewHook(nullptr); }

    QByteArray file(const char* name) const
    {
        QFile f(QString::fromStdString(temp.file(std::string("reports/") + name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    TSub& sub(int page, int number) { return state.show().sub(page, number); }

    // A show whose every sub is named and full of levels.
    void fillAll()
    {
        for (int p = 1; p <= kSubPages; ++p)
            for (int s = 1; s <= kSubsPerPage; ++s) {
                TSub& x = sub(p, s);
                x.SubType = static_cast<std::uint8_t>(1 + (p + s) % 3);
                x.Name = "Look " + std::to_string(p) + "-" + std::to_string(s);
                x.TimeUp = static_cast<std::uint16_t>(p * 10 + s);
                x.TimeHold = 5;
                x.TimeDown = 120;
                for (int c = 0; c < 512; ++c)
                    x.Levels[c] = static_cast<std::uint8_t>((c * 7 + s) % 256);
            }
    }
};

// Answers the dialog that exec() opened with answer, then closes it.
template <class T> void Then(std::function<void(T*)> answer)
{
    WhenModal<T>([answer](T* dialog) {
        answer(dialog);
        dialog->reject();
    });
}

} // namespace

class TestSubReportWindows final : public QObject {
    Q_OBJECT

private slots:
    void levelsReportModesAndTheCurrentSub()
    {
        TFixture f;
        f.sub(4, 20).SubType = kSubInhibit;
        f.sub(4, 20).Levels[0] = 254;
        TrptSubs dialog(f.state, nullptr, &f.folder);
        Then<TrptSubs>([&](TrptSubs* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Print Subs Chan/Levels"));
            QVERIFY(Child<QRadioButton>(d, "rbCurrent")->isEnabled());
            QVERIFY(Child<QRadioButton>(d, "rbCurrent")->isChecked());
            QVERIFY(!Child<QLineEdit>(d, "edtChan")->isEnabled());
            Child<QCheckBox>(d, "cbChan")->setChecked(true);
            QVERIFY(Child<QLineEdit>(d, "edtChan")->isEnabled());
            TypeInto(Child<QLineEdit>(d, "edtChan"), QStringLiteral("2"));
            Click(d, "btnPrint");
        });
        dialog.openForCurrent(4, 20);
        QCOMPARE(f.file(kSubsReportFile), QByteArray("4,20,,Inhibit,0,0,0,1: 99\r\n4,20,,Inhibit,0,0,0,2: \r\n"));
        QCOMPARE(f.previews.size(), 1);
        QVERIFY(f.previews[0].pages[0].hasText(QStringLiteral("Chan : Lvl")));
        QVERIFY(f.previews[0].pages[0].hasText(QStringLiteral("1: 99")));

        // From the Print menu: all named subs, the current choice not usable.
        Then<TrptSubs>([&](TrptSubs* d) {
            QVERIFY(!Child<QRadioButton>(d, "rbCurrent")->isEnabled());
            QVERIFY(Child<QRadioButton>(d, "rbAll")->isChecked());
            QVERIFY(Child<QLineEdit>(d, "edtPage")->text().isEmpty());
            Child<QRadioButton>(d, "rbRange")->setChecked(true);
            TypeInto(Child<QLineEdit>(d, "edtPage"), QStringLiteral("13"));
            TypeInto(Child<QLineEdit>(d, "edtSub"), QStringLiteral("1"));
            Click(d, "btnPrint");
            QVERIFY(d->isVisible()); // a refusal keeps the dialog open
        });
        dialog.exec();
        QCOMPARE(f.ui.messages(), Strings{kMsgSubsValidPage});
        QCOMPARE(f.previews.size(), 1);
    }

    void levelsReportOfEveryNamedSubStartsAPageForEachSub()
    {
        TFixture f;
        f.fillAll();
        f.sub(1, 2).Name = "   "; // blanks only: left out
        TrptSubs dialog(f.state, nullptr, &f.folder);
        Then<TrptSubs>([&](TrptSubs* d) {
            Child<QCheckBox>(d, "cbChan")->setChecked(true);
            TypeInto(Child<QLineEdit>(d, "edtChan"), QStringLiteral("16"));
            Click(d, "btnPrint");
        });
        dialog.exec();
        QCOMPARE(f.previews.size(), 1);
        const TReportDocument& doc = f.previews[0];
        QCOMPARE(doc.pageCount(), 287);
        QVERIFY(doc.pages[0].hasText(QStringLiteral("Look 1-1")));
        QVERIFY(doc.pages[0].hasText(QStringLiteral("16: 41")));
        QVERIFY(!doc.pages[0].hasText(QStringLiteral("Look 1-3")));
        QVERIFY(doc.pages[1].hasText(QStringLiteral("Look 1-3")));
        QCOMPARE(f.file(kSubsReportFile).count("\r\n"), 287 * 16);
    }

    // Sub 5 of page 1 and sub 5 of page 2 follow each other: still a page each.
    void subsOfTheSameNumberOnTwoPagesGetAPageEach()
    {
        TFixture f;
        f.sub(1, 5).Name = "First";
        f.sub(2, 5).Name = "Second";
        TrptSubs dialog(f.state, nullptr, &f.folder);
        Then<TrptSubs>([&](TrptSubs* d) {
            Child<QCheckBox>(d, "cbChan")->setChecked(true);
            TypeInto(Child<QLineEdit>(d, "edtChan"), QStringLiteral("8"));
            Click(d, "btnPrint");
        });
        dialog.exec();
        QCOMPARE(f.previews.size(), 1);
        const TReportDocument& doc = f.previews[0];
        QCOMPARE(doc.pageCount(), 2);
        QVERIFY(doc.pages[0].hasText(QStringLiteral("First")));
        QVERIFY(!doc.pages[0].hasText(QStringLiteral("Second")));
        QVERIFY(doc.pages[1].hasText(QStringLiteral("Second")));
    }

    void aFullSubFlowsDownEightColumnsOverTwoPages()
    {
        TFixture f;
        f.fillAll();
        TrptSubs dialog(f.state, nullptr, &f.folder);
        Then<TrptSubs>([&](TrptSubs* d) {
            Child<QRadioButton>(d, "rbRange")->setChecked(true);
            TypeInto(Child<QLineEdit>(d, "edtPage"), QStringLiteral("12"));
            TypeInto(Child<QLineEdit>(d, "edtSub"), QStringLiteral("24"));
            Click(d, "btnPrint");
        });
        dialog.exec();
        QCOMPARE(f.previews.size(), 1);
        const TReportDocument& doc = f.previews[0];
        QCOMPARE(doc.pageCount(), 2);
        for (const TReportPage& page : doc.pages) {
            QVERIFY(page.hasText(QStringLiteral("Look 12-24")));
            QCOMPARE(page.textList().count(QStringLiteral("Chan : Lvl")), 8);
        }
        // The channels run down each column, then on in the next, then on the next page.
        const QString last = doc.pages[0].texts.back().text;
        QVERIFY2(last.startsWith(QStringLiteral("416: ")), qPrintable(last));
        QVERIFY(doc.pages[1].hasText(QStringLiteral("512: ") + QString::number((511 * 7 + 24) % 256 * 100 / 255)));
    }

    // LUMORA_SCREENSHOT_DIR keeps a picture of each dialog, to look at.
    void screenshotsForALook()
    {
        const QByteArray dir = qgetenv("LUMORA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("LUMORA_SCREENSHOT_DIR not set");
        TFixture f;
        TrptSubs subs(f.state, nullptr, &f.folder);
        TrptSubList list(f.state, nullptr, &f.folder);
        Then<TrptSubs>([&](TrptSubs* d) { QVERIFY(d->grab().save(QString::fromLocal8Bit(dir) + "/rptSubs.png")); });
        subs.openForCurrent(1, 1);
        Then<TrptSubList>(
            [&](TrptSubList* d) { QVERIFY(d->grab().save(QString::fromLocal8Bit(dir) + "/rptSubList.png")); });
        list.exec();
    }

    void listReportModes()
    {
        TFixture f;
        f.sub(1, 1).SubType = kSubNormal;
        f.sub(2, 4).SubType = kSubSolo;
        f.sub(2, 4).Name = "Spot";
        TrptSubList dialog(f.state, nullptr, &f.folder);
        Then<TrptSubList>([&](TrptSubList* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Print Submaster List"));
            QVERIFY(Child<QRadioButton>(d, "rbCurrent")->isChecked());
            Click(d, "btnPrint");
        });
        dialog.openForCurrent(2);
        QCOMPARE(f.file(kSubListReportFile), QByteArray("2,4,Spot,Solo,0,0,0\r\n"));

        Then<TrptSubList>([&](TrptSubList* d) {
            QVERIFY(!Child<QRadioButton>(d, "rbCurrent")->isEnabled());
            QVERIFY(Child<QRadioButton>(d, "rbAll")->isChecked());
            Click(d, "btnPrint");
        });
        dialog.exec();
        QCOMPARE(f.file(kSubListReportFile), QByteArray("1,1,,Normal,0,0,0\r\n2,4,Spot,Solo,0,0,0\r\n"));
        QCOMPARE(f.previews.size(), 2);
        QCOMPARE(f.previews[1].pageCount(), 2); // a page for each sub page
        QVERIFY(f.previews[1].pages[0].hasText(QStringLiteral("Sub Page")));

        Then<TrptSubList>([&](TrptSubList* d) {
            Child<QRadioButton>(d, "rbRange")->setChecked(true);
            TypeInto(Child<QLineEdit>(d, "Edit1"), QStringLiteral("0"));
            Click(d, "btnPrint");
        });
        dialog.exec();
        QCOMPARE(f.ui.messages(), Strings{kMsgSubsValidPage});
        QCOMPARE(f.previews.size(), 2);
    }
};

std::unique_ptr<QObject> MakeSubReportWindowsTest()
{
    return std::make_unique<TestSubReportWindows>();
}

} // namespace lumora::test

#include "SubReportWindowsTest.moc"
