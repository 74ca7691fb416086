#include "print/Preview.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace lumora {

namespace {

TPreviewHook& Hook()
{
    static TPreviewHook hook;
    return hook;
}

} // namespace

TReportPreview::TReportPreview(TReportDocument document, const QString& title, QWidget* parent)
    : QPrintPreviewDialog(parent), m_document(std::move(document)), m_title(title)
{
    setObjectName(QStringLiteral("fmReportPreview"));
    setWindowTitle(title);
    PreparePrinter(*printer(), m_document);
    printer()->setDocName(title);
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintReport(*target, m_document); });

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
    QPrintPreviewDialog::setVisible(visible); // makes the pages on first show
    if (visible && !m_zoomed) {
        m_zoomed = true;
        if (QPrintPreviewWidget* preview = previewWidget())
            preview->setZoomFactor(kPreviewZoom);
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
