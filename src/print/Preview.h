#pragma once

// The preview every report shares: the print preview opened maximized at 85 % zoom, with
// the engine's printing and page navigation, and a button that saves the report as a PDF
// file.

#include "show/UserInterface.h"
#include "widgets/ReportEngine.h"

#include <QPrintPreviewDialog>

#include <functional>

class QAction;
class QPrintPreviewWidget;
class QPrinter;

namespace lumora {

inline constexpr qreal kPreviewZoom = 0.85;
// The preview first makes only the first pages, so they are on screen at once even for
// a report of hundreds of pages, and makes all of them as soon as those are shown.
inline constexpr int kFirstPreviewPages = 3;

// ---- The program's printer

// The one printer of the program: File > Printer Setup chooses it and its paper, and
// every report's preview prints through it.
QPrinter& ReportPrinter();
// Printer Setup: the printer dialog on ReportPrinter(). Once a choice is accepted, the
// reports print on the paper chosen there; each report keeps its own orientation and
// margins, as its page is laid out for them. True when the dialog was accepted.
bool ReportPrinterSetup(QWidget* parent);
// Readies ReportPrinter() (or printer) for a report's pages.
void PrepareReportPrinter(QPrinter& printer, const TReportDocument& document);

class TReportPreview final : public QPrintPreviewDialog {
    Q_OBJECT

public:
    TReportPreview(TReportDocument document, const QString& title, QWidget* parent = nullptr);

    const TReportDocument& document() const { return m_document; }
    QPrintPreviewWidget* previewWidget() const;
    QAction* savePdfAction() const { return m_savePdf; }

    // Writes the report as a PDF file; false when it cannot be written.
    bool savePdf(const QString& path);

    // Maximized, at 85 %, once the pages are made.
    void setVisible(bool visible) override;
    // False until the preview holds every page.
    bool complete() const { return !m_firstRequest && !m_partial; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintPages(QPrinter* target);
    void makeAllPages();
    void savePdfClicked();

    TReportDocument m_document;
    QString m_title;
    QAction* m_savePdf = nullptr;
    bool m_zoomed = false;
    bool m_firstRequest = true; // no pages made yet
    bool m_partial = false;     // the preview holds only the first pages
    bool m_completeScheduled = false;
};

// Shows a report: the preview, modally. Tests install a hook that takes the document
// instead (nullptr puts the preview back).
using TPreviewHook = std::function<void(const TReportDocument& document, const QString& title)>;
void SetReportPreviewHook(TPreviewHook hook);
void PreviewReport(QWidget* parent, const TReportDocument& document, const QString& title);

// Runs a report whose data file is written: reads it through the data source, lays it
// out (with the hourglass) and previews it, then releases the data. False when the file
// cannot be read.
bool RunReport(QWidget* parent, IUserInterface& ui, const std::string& dataFile, TReportDataSource& source,
               const TReportLayout& layout, const QString& title);

} // namespace lumora
