#pragma once

// The banded report engine: lays a data source out into pages by a layout, and paints
// those pages with QPainter for the preview, the printer and PDF files. The page list is
// plain data, so a test can count pages and read which text landed on which page.

#include "widgets/ReportData.h"
#include "widgets/ReportLayout.h"

#include <QDateTime>
#include <QList>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace lumora {

// ---- The page list

struct TReportStyle {
    bool bold = false;
    qreal pointSize = 9;
    friend bool operator==(const TReportStyle&, const TReportStyle&) = default;
};

struct TPlacedText {
    QRectF rect; // millimetres from the paper's top-left corner
    QString text;
    int style = 0; // into TReportDocument::styles
    Qt::Alignment align;
};

struct TReportPage {
    QList<TPlacedText> texts;
    QList<QLineF> rules; // millimetres from the paper's top-left corner

    // ---- For tests and checks
    QStringList textList() const;
    bool hasText(const QString& text) const;
    // The texts whose top edge lies at this height (within 0.01 mm), left to right.
    QStringList textsAt(qreal top) const;
};

struct TReportDocument {
    QPageLayout pageLayout; // paper, orientation and margins
    QList<TReportStyle> styles;
    QList<TReportPage> pages;

    int pageCount() const { return static_cast<int>(pages.size()); }
    QSizeF paperSizeMm() const { return pageLayout.fullRect(QPageLayout::Millimeter).size(); }
};

// ---- Laying out

// printed is the moment shown by the print date texts.
TReportDocument LayOutReport(const TReportLayout& layout, const TReportDataSource& data,
                             const QDateTime& printed = QDateTime::currentDateTime());
// "Printed" texts: the label followed by the date (and the time) in the user's format.
QString PrintDateText(const QString& label, const QDateTime& printed, bool withTime);

// ---- Painting

// The family the reports are printed in.
QString ReportFontFamily();
// Paints one page so that the whole paper fills target (device coordinates).
void PaintReportPage(QPainter& painter, const TReportDocument& document, int page, const QRectF& target);
// Pages from..to (1-based, inclusive; 0 for all) on a paged device whose page layout
// was set from the document, each page on a page of its own.
void PaintReport(QPagedPaintDevice& device, const TReportDocument& document, int from = 0, int to = 0);
// Sets a printer to the document's paper and orientation, paper corner as origin.
void PreparePrinter(QPrinter& printer, const TReportDocument& document);
// Prints on a printer prepared as above, honouring the page range the user chose.
void PrintReport(QPrinter& printer, const TReportDocument& document);
// Writes the whole report as a PDF file; false when the file cannot be written.
bool SaveReportPdf(const TReportDocument& document, const QString& path, const QString& title = {});

} // namespace lumora
