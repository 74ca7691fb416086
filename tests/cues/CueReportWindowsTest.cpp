// The cue report windows: their dialogs, messages, data files and page lists.
// With LUMORA_REPORT_PDF_DIR set, each report is also saved there as a PDF for a look.

#include "cues/printCueEditor.h"
#include "cues/printTrack.h"
#include "cues/rptCueList.h"
#include "print/Preview.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <fstream>
#include <memory>

using namespace lumora;
using test::TRecordingUi;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A show of count cues 1, 2, 3 ...: Preset cue 1 with every channel at full, then
// track cues tracking it, every fifth of them with some hard levels of its own.
void FillCues(TCueList& list, int count)
{
    list.Clear();
    for (int k = 1; k <= count; ++k) {
        TCueRecord& cue = list.cue(k);
        cue.number = static_cast<std::uint16_t>(k * 10);
        cue.type = k == 1 ? kCuePreset : (k % 7 == 0 ? kCueAutostartTrack : kCueTrack);
        cue.name = k == 1 ? std::string("Opening") : "Cue " + std::to_string(k);
        cue.timeUp = static_cast<std::uint16_t>(k % 50);
        cue.timeDown = 25;
        cue.link = k % 10 == 0 ? static_cast<std::uint16_t>(10) : 0;
        cue.macro = static_cast<std::uint16_t>(k % 3);
        for (int c = 1; c <= kChannels; ++c)
            if (k == 1 || (k % 5 == 0 && c % 3 == 0)) {
                cue.levels[c - 1] = static_cast<std::uint8_t>(k == 1 ? 255 : (c * 7 + k) % 256);
                TCueList::SetHard(cue, c, true);
            }
    }
    list.count = static_cast<std::uint16_t>(count);
    list.current = count ? 1 : 0;
    list.Retrack();
}

struct TFixture {
    TRecordingUi ui;
    TEditorState state{ui};
    test::TTempDir temp;
    TPosixReportFolder folder{temp.file("reports")};
    QList<TReportDocument> previews;

    TFixture()
    {
        SetReportPreviewHook([this](const TReportDocument& doc, const QString& title) {
            previews.push_back(doc);
            SavePdfForALook(doc, title);
        });
    }
    ~TFixture() { SetReportPreviewHook(nullptr); }

    std::string file(const char* name) const { return temp.file(std::string("reports/") + name); }

    static void SavePdfForALook(const TReportDocument& doc, const QString& title)
    {
        const QByteArray dir = qgetenv("LUMORA_REPORT_PDF_DIR");
        if (!dir.isEmpty())
            QVERIFY(SaveReportPdf(doc, QString::fromLocal8Bit(dir) + QLatin1Char('/') + title + QStringLiteral(".pdf"),
                                  title));
    }
};

template <typename T> T* Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

} // namespace

class TCueReportWindowsTest final : public QObject {
    Q_OBJECT

private slots:
    // ---- Cue list

    void cueListWithoutCuesSaysSo()
    {
        TFixture f;
        TprintCueList window(f.state, nullptr, &f.folder);
        QCOMPARE(window.exec(), int(QDialog::Accepted));
        QCOMPARE(f.ui.messages(), std::vector<std::string>{"Nothing to print.  Please load a show."});
        QCOMPARE(f.ui.shown()[0].kind, std::string("warning"));
        QVERIFY(f.previews.isEmpty());
    }

    void cueListPrintsEveryCueUnderItsHeadings()
    {
        TFixture f;
        FillCues(f.state.show().cueList, 100);
        TCueRecord& first = f.state.show().cueList.cue(1);
        first.number = 50;
        first.type = kCueMultipart;
        first.timeUp = 30;
        first.timeDown = 0;
        first.delayUp = 15;
        first.link = 0;
        first.macro = 12;
        f.state.show().cueList.cue(2).name = "Blue, \"warm\"";
        const TCueList before = f.state.show().cueList;

        TprintCueList window(f.state, nullptr, &f.folder);
        QCOMPARE(window.print(), TReportOutcome::Written);
        QVERIFY(f.ui.messages().empty());
        QVERIFY(f.state.show().cueList == before);
        QVERIFY(ReadAll(f.file(kCueListReportFile)).starts_with("5,Opening,MultiPart,3,0,1.5,0,0,12\r\n2,\"Blue, "));

        QCOMPARE(f.previews.size(), 1);
        const TReportDocument& doc = f.previews[0];
        QCOMPARE(doc.pageLayout.orientation(), QPageLayout::Portrait);
        QCOMPARE(doc.pageLayout.margins(QPageLayout::Millimeter), QMarginsF(12.7, 12.7, 12.7, 12.7));
        QCOMPARE(doc.pageCount(), 3); // 46 rows a page
        const QStringList headings{"Cue",      "Name",       "Type", "Time Up", "Time Down",
                                   "Delay Up", "Delay Down", "Link", "Macro"};
        for (const TReportPage& page : doc.pages) {
            QVERIFY(page.hasText(QStringLiteral("Cue List")));
            QCOMPARE(page.textsAt(12.7 + 13), headings);
            QCOMPARE(page.rules.size(), 1);
        }
        QCOMPARE(doc.pages[0].textsAt(12.7 + 21),
                 (QStringList{"5", "Opening", "MultiPart", "3", "0", "1.5", "0", "0", "12"}));
        QCOMPARE(doc.pages[0].textsAt(12.7 + 26).mid(0, 3), (QStringList{"2", "Blue, \"warm\"", "Track"}));
        QVERIFY(doc.pages[2].hasText(QStringLiteral("Cue 100")));
    }

    // ---- Cue levels

    void cueLevelsDialogControls()
    {
        TFixture f;
        FillCues(f.state.show().cueList, 3);
        TrptCueEditor dialog(f.state, nullptr, &f.folder);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Print Cue Levels"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = Child<QTreeWidget>(dialog, "lvCues");
        auto* cbChan = Child<QCheckBox>(dialog, "cbChan");
        auto* lblChan = Child<QLabel>(dialog, "lblChan");
        auto* edtChan = Child<QLineEdit>(dialog, "edtChan");
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("1"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Opening"));
        QVERIFY(list->isHeaderHidden());
        QCOMPARE(list->currentIndex().row(), 0);
        QCOMPARE(lblChan->text(), QStringLiteral("Print channels up through"));
        QCOMPARE(edtChan->toolTip(), QStringLiteral("1..512"));
        QVERIFY(Child<QPushButton>(dialog, "btnPrint")->isDefault());
        QVERIFY(!cbChan->isChecked());
        QVERIFY(!edtChan->isEnabled() && !lblChan->isEnabled());
        cbChan->click();
        QVERIFY(edtChan->isEnabled() && lblChan->isEnabled());
        cbChan->click();
        QVERIFY(!edtChan->isEnabled());
        QVERIFY(f.ui.messages().empty());
    }

    void cueLevelsMessages()
    {
        TFixture f;
        {
            TrptCueEditor dialog(f.state, nullptr, &f.folder);
            dialog.show(); // no cues: said when the dialog opens, and again on Print
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(f.ui.shown().size(), 1u);
            QCOMPARE(f.ui.shown()[0].kind, std::string("information"));
            QCOMPARE(f.ui.shown()[0].text, std::string("Nothing to print.  Please load a show."));
            QTest::mouseClick(Child<QPushButton>(dialog, "btnPrint"), Qt::LeftButton);
            QCOMPARE(f.ui.shown().size(), 2u);
            QCOMPARE(f.ui.shown()[1].kind, std::string("warning"));
            QCOMPARE(f.ui.shown()[1].text, std::string("Nothing to print.  Please load a show."));
        }

        FillCues(f.state.show().cueList, 3);
        TrptCueEditor dialog(f.state, nullptr, &f.folder);
        dialog.show();
        Child<QCheckBox>(dialog, "cbChan")->setChecked(true);
        auto* edtChan = Child<QLineEdit>(dialog, "edtChan");
        const struct {
            const char* text;
            const char* kind;
            const char* message;
        } cases[] = {
            {"", "warning", "No maximum channel number entered."},
            {"abc", "error", "Not a valid channel number."},
            {"0", "warning", "Please enter a channel number between 1 and 512."},
            {"513", "warning", "Please enter a channel number between 1 and 512."},
        };
        for (const auto& c : cases) {
            f.ui.clear();
            edtChan->setText(QString::fromLatin1(c.text));
            QCOMPARE(dialog.btnPrintClick(), TReportOutcome::Refused);
            QCOMPARE(f.ui.shown().size(), 1u);
            QCOMPARE(f.ui.shown()[0].kind, std::string(c.kind));
            QCOMPARE(f.ui.shown()[0].text, std::string(c.message));
        }
        QVERIFY(f.previews.isEmpty());
        QVERIFY(!std::filesystem::exists(f.file(kCueEditReportFile)));
    }

    void cueLevelsPrintsTheSelectedCue()
    {
        TFixture f;
        FillCues(f.state.show().cueList, 12);
        TrptCueEditor dialog(f.state, nullptr, &f.folder);
        dialog.show();
        auto* list = Child<QTreeWidget>(dialog, "lvCues");
        list->setCurrentItem(list->topLevelItem(4)); // cue 5: track, hard on every third channel
        QCOMPARE(dialog.btnPrintClick(), TReportOutcome::Written);
        QVERIFY(f.ui.messages().empty());

        const std::string data = ReadAll(f.file(kCueEditReportFile));
        QVERIFY(data.starts_with("5,Cue 5,Track,0.5,2.5,0,0,0,2,1,2,3,"));
        QCOMPARE(f.previews.size(), 1);
        const TReportDocument& doc = f.previews[0];
        QCOMPARE(doc.pageCount(), 1);
        const TReportPage& page = doc.pages[0];
        for (const char* text :
             {"Cue Levels", "\"t\" indicates the level is tracked in.", "Cue #:", "Name:", "Type:", "Time Up:",
              "Time Down:", "Delay Up:", "Delay Down:", "Link:", "Macro:", "Cue 5", "Track", "0.5", "2.5"})
            QVERIFY2(page.hasText(QString::fromLatin1(text)), text);
        QVERIFY(std::any_of(page.texts.begin(), page.texts.end(),
                            [](const TPlacedText& t) { return t.text.startsWith(QStringLiteral("Printed ")); }));

        // 26 pairs of rows: channel numbers in bold, then levels in regular type with a rule.
        const qreal top = 6.35 + 31;
        for (int row = 0; row < 52; ++row) {
            const QStringList texts = page.textsAt(top + row * 4.5);
            QVERIFY(!texts.isEmpty());
            QCOMPARE(texts.first(), row % 2 == 0 ? QStringLiteral("Channel") : QStringLiteral("Level"));
        }
        QCOMPARE(page.textsAt(top).mid(1, 3), (QStringList{"1", "2", "3"}));
        QCOMPARE(page.textsAt(top + 4.5).mid(1, 3), (QStringList{"100 t", "100 t", "10"})); // hard (3*7+5) = 26: 10 %
        QCOMPARE(page.textsAt(top + 50 * 4.5).mid(1).size(), 12);                           // channels 501..512
        QCOMPARE(page.rules.size(), 1 + 26);
        for (const TPlacedText& t : page.texts) {
            if (t.rect.top() >= top && t.rect.left() > 10) {
                const bool channelRow = qRound((t.rect.top() - top) / 4.5) % 2 == 0;
                QCOMPARE(doc.styles[t.style].bold, channelRow);
            }
        }
    }

    // ---- Tracking

    void trackDialogControlsAndRefusals()
    {
        TFixture f;
        FillCues(f.state.show().cueList, 5);
        TrptTrack dialog(f.state, nullptr, &f.folder);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Tracking"));
        auto* cbChan = Child<QCheckBox>(dialog, "cbChan");
        auto* edtChan = Child<QLineEdit>(dialog, "edtChan");
        QVERIFY(cbChan->isChecked());
        QCOMPARE(edtChan->text(), QStringLiteral("25"));
        QCOMPARE(edtChan->toolTip(), QStringLiteral("1..512"));
        QVERIFY(edtChan->isEnabled() && Child<QLabel>(dialog, "lblChan")->isEnabled());
        QVERIFY(Child<QPushButton>(dialog, "btnPrint")->isDefault());
        for (const char* text : {"0", "513", "abc"}) {
            f.ui.clear();
            edtChan->setText(QString::fromLatin1(text));
            QCOMPARE(dialog.btnPrintClick(), TReportOutcome::Refused);
            QCOMPARE(f.ui.shown().size(), 1u);
            QCOMPARE(f.ui.shown()[0].kind, std::string("error"));
            QCOMPARE(f.ui.shown()[0].text, std::string("Please enter a valid channel number between 1 and 512."));
        }
        cbChan->click();
        QVERIFY(!edtChan->isEnabled());
        f.ui.clear();
        QCOMPARE(dialog.btnPrintClick(), TReportOutcome::Written); // the box is not read while unchecked
        QCOMPARE(f.previews.size(), 1);
        QCOMPARE(f.previews[0].pageCount(), 21);

        f.state.show().cueList.Clear();
        QCOMPARE(dialog.btnPrintClick(), TReportOutcome::NothingToPrint);
        QCOMPARE(f.ui.messages(), std::vector<std::string>{"Nothing to print.  Please load a show."});
    }

    void trackOf45CuesHasTwoPages()
    {
        TFixture f;
        FillCues(f.state.show().cueList, 45);
        TrptTrack dialog(f.state, nullptr, &f.folder);
        QTest::mouseClick(Child<QPushButton>(dialog, "btnPrint"), Qt::LeftButton);
        QCOMPARE(f.previews.size(), 1);
        const TReportDocument& doc = f.previews[0];
        QCOMPARE(doc.pageLayout.orientation(), QPageLayout::Landscape);
        QCOMPARE(doc.pageCount(), 2);
        const qreal headingTop = 6.35 + 17;
        for (const TReportPage& page : doc.pages) {
            QVERIFY(page.hasText(QStringLiteral("Cue Tracking")));
            QVERIFY(page.hasText(QStringLiteral("\"t\" indicates the level is tracked in.")));
            QCOMPARE(page.textsAt(headingTop), QStringList{QStringLiteral("Channel:")});
            const QStringList heading = page.textsAt(headingTop + 5);
            QCOMPARE(heading.size(), 27);
            QCOMPARE(heading.mid(0, 3), (QStringList{"Cue", "Type", "1"}));
            QCOMPARE(heading.last(), QStringLiteral("25"));
            QCOMPARE(page.rules.size(), 1);
        }
        QCOMPARE(doc.pages[0].textsAt(headingTop + 10).mid(0, 3), (QStringList{"1", "Preset", "100"}));
        QCOMPARE(doc.pages[0].textsAt(headingTop + 10 + 29 * 5.6).first(), QStringLiteral("30"));
        QCOMPARE(doc.pages[1].textsAt(headingTop + 10).mid(0, 3), (QStringList{"31", "Track", "100 t"}));
        QStringList cueColumn{QStringLiteral("Cue")};
        for (int k = 31; k <= 45; ++k)
            cueColumn.push_back(QString::number(k));
        QStringList printedCues;
        for (const TPlacedText& t : doc.pages[1].texts)
            if (qAbs(t.rect.left() - 6.35) < 0.01 && t.rect.top() > headingTop + 1)
                printedCues.push_back(t.text);
        QCOMPARE(printedCues, cueColumn);
        // Heading in bold, cue rows regular.
        for (const TPlacedText& t : doc.pages[0].texts)
            if (t.rect.top() > headingTop + 9)
                QVERIFY(!doc.styles[t.style].bold);
    }

    void fullShowTrackingReport()
    {
        TFixture f;
        FillCues(f.state.show().cueList, 1000);
        TrptTrack dialog(f.state, nullptr, &f.folder);
        Child<QCheckBox>(dialog, "cbChan")->setChecked(false);
        QCOMPARE(dialog.btnPrintClick(), TReportOutcome::Written);
        QCOMPARE(f.previews.size(), 1);
        QCOMPARE(f.previews[0].pageCount(), 714);
        QVERIFY(f.previews[0].pages[713].hasText(QStringLiteral("1000")));
        QVERIFY(f.previews[0].pages[713].hasText(QStringLiteral("512")));
    }
};

QTEST_MAIN(TCueReportWindowsTest)
#include "CueReportWindowsTest.moc"
