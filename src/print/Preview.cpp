#include "print/Preview.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QGraphicsView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>

#include <utility>

namespace lumora {

namespace {

TPreviewHook& Hook()
{
    static TPreviewHook hook;
    return hook;
}

// Set once Printer Setup has been accepted: the paper is then the user's.
bool g_paperChosen = false;

} // namespace

QPrinter& ReportPrinter()
{
    // Made on first use and kept for the whole run; never destroyed, so no report or
    // dialog can outlive it.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

bool ReportPrinterSetup(QWidget* parent)
{
    QPrintDialog dialog(&ReportPrinter(), parent);
    dialog.setObjectName(QStringLiteral("dlgPrinterSetup"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    g_paperChosen = true;
    return true;
}

void PrepareReportPrinter(QPrinter& printer, const TReportDocument& document)
{
    if (!g_paperChosen) {
        PreparePrinter(printer, document);
        return;
    }
    const QPageSize paper = printer.pageLayout().pageSize();
    PreparePrinter(printer, document);
    printer.setPageSize(paper);
}

TReportPreview::TReportPreview(TReportDocument document, const QString& title, QWidget* parent)
    : QPrintPreviewDialog(&ReportPrinter(), parent), m_document(std::move(document)), m_title(title)
{
    setObjectName(QStringLiteral("fmReportPreview"));
    setWindowTitle(title);
    PrepareReportPrinter(*printer(), m_document);
    printer()->setDocName(title);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &TReportPreview::paintPages);

    m_savePdf = new QAction(tr("Save as PDF..."), this);
    m_savePdf->setObjectName(QStringLiteral("actSavePdf"));
    m_savePdf->setToolTip(tr("Save the report as a PDF file"));
    connect(m_savePdf, &QAction::triggered, this, &TReportPreview::savePdfClicked);
    if (QToolBar* toolbar = findChild<QToolBar*>()) {
        toolbar->addSeparator();
        toolbar->addAction(m_savePdf);
    } else {
        addAction(m_savePdf);
    }
}

QPrintPreviewWidget* TReportPreview::previewWidget() const
{
    return findChild<QPrintPreviewWidget*>();
}

bool TReportPreview::savePdf(const QString& path)
{
    return SaveReportPdf(m_document, path, m_title);
}

void TReportPreview::setVisible(bool visible)
{
    if (visible && !m_zoomed)
        setWindowState(windowState() | Qt::WindowMaximized);
    QPrintPreviewDialog::setVisible(visible); // makes the first pages on first show
    if (visible && !m_zoomed) {
        m_zoomed = true;
        if (QPrintPreviewWidget* preview = previewWidget()) {
            preview->setZoomFactor(kPreviewZoom);
            if (auto* view = preview->findChild<QGraphicsView*>())
                view->viewport()->installEventFilter(this);
        }
        // Should no paint be seen (a hidden screen), the rest comes all the same.
        if (m_partial)
            QTimer::singleShot(250, this, &TReportPreview::makeAllPages);
    }
}

bool TReportPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && m_partial && !m_completeScheduled) {
        m_completeScheduled = true;
        QTimer::singleShot(0, this, &TReportPreview::makeAllPages); // once the first pages are painted
    }
    return QPrintPreviewDialog::eventFilter(watched, event);
}

void TReportPreview::paintPages(QPrinter* target)
{
    if (std::exchange(m_firstRequest, false) && m_document.pageCount() > kFirstPreviewPages) {
        m_partial = true;
        PaintReport(*target, m_document, 1, kFirstPreviewPages);
        return;
    }
    PrintReport(*target, m_document); // the whole preview, or printing the pages chosen
}

void TReportPreview::makeAllPages()
{
    if (!m_partial)
        return;
    m_partial = false;
    if (QPrintPreviewWidget* preview = previewWidget()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        preview->updatePreview();
        QApplication::restoreOverrideCursor();
    }
}

void TReportPreview::savePdfClicked()
{
    QString path = QFileDialog::getSaveFileName(this, tr("Save as PDF"), m_title + QStringLiteral(".pdf"),
                                                tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!savePdf(path))
        QMessageBox::warning(this, windowTitle(), tr("The PDF file could not be written."));
}

void SetReportPreviewHook(TPreviewHook hook)
{
    Hook() = std::move(hook);
}

void PreviewReport(QWidget* parent, const TReportDocument& document, const QString& title)
{
    if (Hook()) {
        Hook()(document, title);
        return;
    }
    TReportPreview preview(document, title, parent);
    preview.exec();
}

bool RunReport(QWidget* parent, IUserInterface& ui, const std::string& dataFile, TReportDataSource& source,
               const TReportLayout& layout, const QString& title)
{
    TReportDocument document;
    {
        TBusyCursor busy(ui);
        if (!source.open(QString::fromStdString(dataFile)))
            return false;
        document = LayOutReport(layout, source);
        source.close();
    }
    PreviewReport(parent, document, title);
    return true;
}

} // namespace lumora
