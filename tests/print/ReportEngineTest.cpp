// The report engine: data source, layout into pages, painting, PDF and the preview.

#include "widgets/ReportEngine.h"
#include "print/Preview.h"
#include "print/ReportFiles.h"
#include "support/TempDir.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>

#include <fstream>

using namespace lumora;

namespace {

std::vector<TReportRow> NumberedRows(int count, int groupSize = 0)
{
    std::vector<TReportRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({groupSize ? std::to_string((i - 1) / groupSize + 1) : "1", "row " + std::to_string(i)});
    return rows;
}

TReportDataSource GroupAndName(const std::vector<TReportRow>& rows)
{
    TReportDataSource source({{QStringLiteral("group"), 0}, {QStringLiteral("name"), 1}});
    source.setRows(rows);
    return source;
}

// Letter portrait with 10 mm margins: 259.4 mm of height, 195.9 mm of width.
TReportLayout SimpleLayout(qreal headerHeight, qreal rowHeight)
{
    TReportLayout layout;
    layout.margins = QMarginsF(10, 10, 10, 10);
    layout.pageHeader.height = headerHeight;
    layout.pageHeader.texts.push_back(LiteralText(QStringLiteral("Title"), QRectF(0, 0, 100, 5), true, 12));
    layout.pageHeader.texts.push_back(FieldText(QStringLiteral("name"), QRectF(100, 0, 95, 5)));
    TDetailBand row;
    row.band.height = rowHeight;
    row.band.texts.push_back(FieldText(QStringLiteral("name"), QRectF(0, 0, 60, rowHeight)));
    layout.detail.push_back(row);
    return layout;
}

// Detail texts of a page, those that start with "row ".
QStringList RowsOn(const TReportPage& page)
{
    QStringList rows;
    for (const TPlacedText& t : page.texts)
        if (t.text.startsWith(QStringLiteral("row ")) && t.rect.top() > 15)
            rows.push_back(t.text);
    return rows;
}

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF"))
        return -1;
    return static_cast<int>(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace

class TReportEngineTest final : public QObject {
    Q_OBJECT

private slots:
    // ---- Data source

    void dataSourceReadsDeclaredColumnsFromTheFile()
    {
        test::TTempDir temp;
        const std::string path = temp.file("data.tmp");
        std::ofstream(path, std::ios::binary) << "1,\"Blue, warm\",x\r\n2,\"say \"\"go\"\"\"\r\n3\r\n"
                                              << "4,Caf\xc3\xa9\r\n5,Caf\xe9\r\n";
        TReportDataSource source(
            {{QStringLiteral("cue"), 0}, {QStringLiteral("name"), 1}, {QStringLiteral("extra"), 2}});
        QVERIFY(source.open(QString::fromStdString(path)));
        QCOMPARE(source.rowCount(), 5);
        QCOMPARE(source.position(QStringLiteral("name")), 1);
        QCOMPARE(source.position(QStringLiteral("missing")), -1);
        QCOMPARE(source.field(0, QStringLiteral("name")), QStringLiteral("Blue, warm"));
        QCOMPARE(source.field(0, QStringLiteral("extra")), QStringLiteral("x"));
        QCOMPARE(source.field(1, QStringLiteral("name")), QStringLiteral("say \"go\""));
        QCOMPARE(source.field(2, QStringLiteral("name")), QString()); // a short row
        QCOMPARE(source.field(2, QStringLiteral("missing")), QString());
        QCOMPARE(source.field(3, QStringLiteral("name")), QStringLiteral("Caf\u00e9")); // UTF-8
        QCOMPARE(source.field(4, QStringLiteral("name")), QStringLiteral("Caf\u00e9")); // one byte a character
        QCOMPARE(source.field(9, 0), QString());
        source.close();
        QCOMPARE(source.rowCount(), 0);
        QVERIFY(!source.open(temp.file("nothing.tmp").c_str()));
    }

    // ---- Layout

    void rowsFlowOntoPagesWithTheHeaderOnEach()
    {
        // 259.4 - 20 of header leaves room for 23 rows of 10 mm.
        const TReportDataSource source = GroupAndName(NumberedRows(50));
        const TReportDocument doc = LayOutReport(SimpleLayout(20, 10), source);
        QCOMPARE(doc.pageCount(), 3);
        QCOMPARE(RowsOn(doc.pages[0]).size(), 23);
        QCOMPARE(RowsOn(doc.pages[1]).size(), 23);
        QCOMPARE(RowsOn(doc.pages[2]).size(), 4);
        for (const TReportPage& page : doc.pages)
            QVERIFY(page.hasText(QStringLiteral("Title")));
        // A header field shows the page's first row.
        QCOMPARE(doc.pages[1].textsAt(10), (QStringList{QStringLiteral("Title"), QStringLiteral("row 24")}));
        QCOMPARE(doc.pages[0].texts[2].rect, QRectF(10, 30, 60, 10));
        QCOMPARE(doc.paperSizeMm(), QSizeF(215.9, 279.4));
        QCOMPARE(doc.styles.size(), 2);

        // Nothing to lay out still gives the header page.
        const TReportDocument empty = LayOutReport(SimpleLayout(20, 10), GroupAndName({}));
        QCOMPARE(empty.pageCount(), 1);
        QVERIFY(empty.pages[0].hasText(QStringLiteral("Title")));
    }

    void groupsStartPagesAndStayTogether()
    {
        // Groups of 5 rows, a new page for each.
        {
            TReportLayout layout = SimpleLayout(20, 10);
            layout.hasGroup = true;
            layout.group = {QStringLiteral("group"), {}, true, false};
            const TReportDocument doc = LayOutReport(layout, GroupAndName(NumberedRows(15, 5)));
            QCOMPARE(doc.pageCount(), 3);
            QCOMPARE(RowsOn(doc.pages[2]).first(), QStringLiteral("row 11"));
        }
        // Groups of 10 rows kept together: 23 fit a page, so 2 groups a page and the third
        // moves on whole; a group header band goes before each.
        {
            TReportLayout layout = SimpleLayout(20, 10);
            layout.hasGroup = true;
            layout.group.field = QStringLiteral("group");
            layout.group.keepTogether = true;
            layout.group.header.height = 1;
            layout.group.header.texts.push_back(FieldText(QStringLiteral("group"), QRectF(0, 0, 10, 1)));
            const TReportDocument doc = LayOutReport(layout, GroupAndName(NumberedRows(50, 10)));
            QCOMPARE(doc.pageCount(), 3);
            QCOMPARE(RowsOn(doc.pages[0]).size(), 20);
            QCOMPARE(RowsOn(doc.pages[1]).first(), QStringLiteral("row 21"));
            QVERIFY(doc.pages[1].hasText(QStringLiteral("3")));
        }
        // A group taller than a page flows on rather than leaving blank pages.
        {
            TReportLayout layout = SimpleLayout(20, 10);
            layout.hasGroup = true;
            layout.group = {QStringLiteral("group"), {}, false, true};
            const TReportDocument doc = LayOutReport(layout, GroupAndName(NumberedRows(30, 30)));
            QCOMPARE(doc.pageCount(), 2);
            QCOMPARE(RowsOn(doc.pages[0]).size(), 23);
        }
    }

    void detailBandsAreChosenRowByRow()
    {
        TReportLayout layout = SimpleLayout(20, 10);
        TDetailBand heading;
        heading.match = TRowMatch::FieldEquals;
        heading.field = QStringLiteral("name");
        heading.value = QStringLiteral("row 1");
        heading.band.height = 30;
        heading.band.texts.push_back(LiteralText(QStringLiteral("Heading"), QRectF(0, 0, 50, 30), true, 10));
        heading.band.rules.push_back(QLineF(0, 30, 195.9, 30));
        layout.detail.prepend(heading);
        const TReportDocument doc = LayOutReport(layout, GroupAndName(NumberedRows(3)));
        const TReportPage& page = doc.pages[0];
        QCOMPARE(page.textsAt(30), QStringList{QStringLiteral("Heading")});
        QCOMPARE(page.textsAt(60), QStringList{QStringLiteral("row 2")}); // after the taller row
        QCOMPARE(page.rules, (QList<QLineF>{QLineF(10, 60, 205.9, 60)}));
        QVERIFY(doc.styles[page.texts[2].style].bold);
    }

    void oddAndEvenRowsAlternateAndPairsAreNotSplit()
    {
        TReportLayout layout = SimpleLayout(20, 10);
        layout.detail.clear();
        TDetailBand odd;
        odd.match = TRowMatch::OddRowOnPage;
        odd.keepWithNext = true;
        odd.band.height = 10;
        odd.band.texts = {LiteralText(QStringLiteral("Odd"), QRectF(0, 0, 20, 10)),
                          FieldText(QStringLiteral("name"), QRectF(20, 0, 60, 10), true)};
        TDetailBand even = odd;
        even.match = TRowMatch::EvenRowOnPage;
        even.keepWithNext = false;
        even.band.texts[0].text = QStringLiteral("Even");
        layout.detail = {odd, even};
        // 23 rows fit a page: the 23rd would be an odd row whose pair cannot follow.
        const TReportDocument doc = LayOutReport(layout, GroupAndName(NumberedRows(30)));
        QCOMPARE(doc.pageCount(), 2);
        QCOMPARE(RowsOn(doc.pages[0]).size(), 22);
        QCOMPARE(RowsOn(doc.pages[1]).first(), QStringLiteral("row 23"));
        for (const TReportPage& page : doc.pages)
            for (int i = 0; i < RowsOn(page).size(); ++i)
                QCOMPARE(page.textsAt(30 + 10 * i).first(),
                         i % 2 == 0 ? QStringLiteral("Odd") : QStringLiteral("Even"));
    }

    void detailLinesFlowDownColumns()
    {
        TReportLayout layout = SimpleLayout(20, 10);
        layout.columns = 3;
        layout.columnGap = 6; // (195.9 - 12) / 3 = 61.3 mm a column
        const TReportDocument doc = LayOutReport(layout, GroupAndName(NumberedRows(75)));
        QCOMPARE(doc.pageCount(), 2);
        QCOMPARE(RowsOn(doc.pages[0]).size(), 69);
        QCOMPARE(doc.pages[0].textsAt(30),
                 (QStringList{QStringLiteral("row 1"), QStringLiteral("row 24"), QStringLiteral("row 47")}));
        const auto& texts = doc.pages[0].texts;
        const auto row24 = std::find_if(texts.begin(), texts.end(),
                                        [](const TPlacedText& t) { return t.text == QStringLiteral("row 24"); });
        QVERIFY(row24 != texts.end());
        QVERIFY(qAbs(row24->rect.left() - (10 + 61.3 + 6)) < 1e-6);
        QCOMPARE(RowsOn(doc.pages[1]).size(), 6);
    }

    void printDateTexts()
    {
        TReportLayout layout = SimpleLayout(20, 10);
        const QDateTime printed(QDate(2024, 3, 9), QTime(14, 5));
        layout.pageHeader.texts.push_back(
            {TReportTextKind::PrintDate, QStringLiteral("Printed "), QRectF(0, 5, 50, 5)});
        layout.pageHeader.texts.push_back(
            {TReportTextKind::PrintDateTime, QStringLiteral("At "), QRectF(0, 10, 50, 5)});
        const TReportDocument doc = LayOutReport(layout, GroupAndName(NumberedRows(1)), printed);
        QVERIFY(doc.pages[0].hasText(PrintDateText(QStringLiteral("Printed "), printed, false)));
        QVERIFY(doc.pages[0].hasText(PrintDateText(QStringLiteral("At "), printed, true)));
        const QString date = QLocale().toString(QDate(2024, 3, 9), QLocale::ShortFormat);
        QCOMPARE(PrintDateText(QStringLiteral("Printed "), printed, false), QStringLiteral("Printed ") + date);
    }

    // ---- Painting, PDF, printing

    void paintsTextAndRulesOntoAnImage()
    {
        TReportLayout layout = SimpleLayout(20, 10);
        layout.pageHeader.rules.push_back(QLineF(0, 15, 195.9, 15));
        const TReportDocument doc = LayOutReport(layout, GroupAndName(NumberedRows(3)));
        constexpr int kScale = 4; // pixels a millimetre
        QImage image(216 * kScale, 280 * kScale, QImage::Format_RGB32);
        image.fill(Qt::white);
        // A resolution unlike the screen's, so text shaped for the wrong device shows.
        image.setDotsPerMeterX(23622);
        image.setDotsPerMeterY(23622);
        const QRectF paper(0, 0, 215.9 * kScale, 279.4 * kScale);
        {
            QPainter painter(&image);
            PaintReportPage(painter, doc, 0, paper);
            PaintReportPage(painter, doc, 7, paper); // no such page: nothing
        }
        auto inked = [&](QRect mm) {
            const QRect area(mm.topLeft() * kScale, mm.size() * kScale);
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        return true;
            return false;
        };
        QVERIFY(inked(QRect(100, 24, 5, 2)));     // the rule at 25 mm
        QVERIFY(inked(QRect(10, 30, 30, 10)));    // "row 1"
        QVERIFY(!inked(QRect(10, 80, 100, 100))); // below the last row
        // "row 1" at 9 points is about 9 mm wide.
        int right = 0;
        for (int x = 10 * kScale; x < 60 * kScale; ++x)
            for (int y = 30 * kScale; y < 40 * kScale; ++y)
                if (qGray(image.pixel(x, y)) < 128)
                    right = x;
        QVERIFY2(right > 16 * kScale && right < 24 * kScale, QByteArray::number(right / double(kScale)));
    }

    void savesAndPrintsPdf()
    {
        test::TTempDir temp;
        const TReportDocument doc = LayOutReport(SimpleLayout(20, 10), GroupAndName(NumberedRows(100)));
        QCOMPARE(doc.pageCount(), 5);
        const QString pdf = QString::fromStdString(temp.file("report.pdf"));
        QVERIFY(SaveReportPdf(doc, pdf, QStringLiteral("Test")));
        QCOMPARE(PdfPageCount(pdf), 5);
        QVERIFY(!SaveReportPdf(doc, QString::fromStdString(temp.file("missing/report.pdf"))));

        // A printer run honours the pages the user chose.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString printed = QString::fromStdString(temp.file("printed.pdf"));
        printer.setOutputFileName(printed);
        PreparePrinter(printer, doc);
        printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2-3")));
        PrintReport(printer, doc);
        QCOMPARE(PdfPageCount(printed), 2);
        QVERIFY(printer.fullPage());
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    }

    // ---- Preview

    void previewOpensMaximizedAt85PercentWithSavePdf()
    {
        TReportLayout layout = SimpleLayout(20, 10);
        layout.orientation = QPageLayout::Landscape;
        TReportPreview preview(LayOutReport(layout, GroupAndName(NumberedRows(40))), QStringLiteral("Test report"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(preview.windowState() & Qt::WindowMaximized);
        QPrintPreviewWidget* widget = preview.previewWidget();
        QVERIFY(widget);
        QCOMPARE(widget->zoomFactor(), kPreviewZoom);
        QCOMPARE(widget->pageCount(), preview.document().pageCount());
        QVERIFY(preview.complete()); // a short report is made whole at once
        QCOMPARE(widget->orientation(), QPageLayout::Landscape);
        QToolBar* toolbar = preview.findChild<QToolBar*>();
        QVERIFY(toolbar && toolbar->actions().contains(preview.savePdfAction()));

        test::TTempDir temp;
        const QString pdf = QString::fromStdString(temp.file("preview.pdf"));
        QVERIFY(preview.savePdf(pdf));
        QCOMPARE(PdfPageCount(pdf), preview.document().pageCount());
    }

    void previewShowsTheFirstPagesFirstThenAll()
    {
        const TReportDocument doc = LayOutReport(SimpleLayout(20, 10), GroupAndName(NumberedRows(230)));
        QCOMPARE(doc.pageCount(), 10);
        TReportPreview preview(doc, QStringLiteral("Long report"));
        preview.show();
        QPrintPreviewWidget* widget = preview.previewWidget();
        QCOMPARE(widget->pageCount(), kFirstPreviewPages);
        QVERIFY(!preview.complete());
        QTRY_VERIFY(preview.complete());
        QCOMPARE(widget->pageCount(), 10);
        QCOMPARE(widget->zoomFactor(), kPreviewZoom);
        widget->setCurrentPage(10);
        QCOMPARE(widget->currentPage(), 10);
    }

    void runReportHandsTheDocumentToThePreview()
    {
        test::TTempDir temp;
        const std::string path = temp.file("data.tmp");
        QVERIFY(WriteReportRows(path, NumberedRows(40)));
        int shown = 0;
        SetReportPreviewHook([&](const TReportDocument& doc, const QString& title) {
            ++shown;
            QCOMPARE(title, QStringLiteral("Numbers"));
            QCOMPARE(doc.pageCount(), 2);
        });
        struct TNoUi final : IUserInterface {
            void error(std::string_view) override {}
            void warning(std::string_view) override {}
            void information(std::string_view) override {}
            bool askYesNo(std::string_view, Icon) override { return false; }
            Answer askYesNoCancel(std::string_view, Icon) override { return Answer::Cancel; }
            void showStatus(std::string_view) override {}
            void hideStatus() override {}
            void setBusy(bool b) override { busy += b ? 1 : -1; }
            int busy = 0;
        } ui;
        TReportDataSource source({{QStringLiteral("group"), 0}, {QStringLiteral("name"), 1}});
        QVERIFY(RunReport(nullptr, ui, path, source, SimpleLayout(20, 10), QStringLiteral("Numbers")));
        QCOMPARE(shown, 1);
        QCOMPARE(ui.busy, 0);
        QCOMPARE(source.rowCount(), 0); // released
        QVERIFY(!RunReport(nullptr, ui, temp.file("none.tmp"), source, SimpleLayout(20, 10), QStringLiteral("x")));
        QCOMPARE(shown, 1);
        SetReportPreviewHook(nullptr);
    }
};

QTEST_MAIN(TReportEngineTest)
#include "ReportEngineTest.moc"
