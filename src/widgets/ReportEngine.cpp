#include "widgets/ReportEngine.h"

#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QLocale>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace lumora {

// ---- The page list

QStringList TReportPage::textList() const
{
    QStringList list;
    list.reserve(texts.size());
    for (const TPlacedText& t : texts)
        list.push_back(t.text);
    return list;
}

bool TReportPage::hasText(const QString& text) const
{
    return std::any_of(texts.begin(), texts.end(), [&](const TPlacedText& t) { return t.text == text; });
}

QStringList TReportPage::textsAt(qreal top) const
{
    QList<const TPlacedText*> row;
    for (const TPlacedText& t : texts)
        if (std::abs(t.rect.top() - top) < 0.01)
            row.push_back(&t);
    std::stable_sort(row.begin(), row.end(),
                     [](const TPlacedText* a, const TPlacedText* b) { return a->rect.left() < b->rect.left(); });
    QStringList list;
    for (const TPlacedText* t : row)
        list.push_back(t->text);
    return list;
}

QString PrintDateText(const QString& label, const QDateTime& printed, bool withTime)
{
    const QLocale locale;
    QString text = label + locale.toString(printed.date(), QLocale::ShortFormat);
    if (withTime)
        text += QLatin1Char(' ') + locale.toString(printed.time(), QLocale::ShortFormat);
    return text;
}

// ---- Laying out

namespace {

constexpr qreal kEpsilon = 1e-6;

class TLayoutRun final {
public:
    TLayoutRun(const TReportLayout& layout, const TReportDataSource& data, const QDateTime& printed)
        : m_layout(layout), m_data(data)
    {
        m_doc.pageLayout =
            QPageLayout(QPageSize(layout.paper), layout.orientation, layout.margins, QPageLayout::Millimeter);
        const QSizeF paper = m_doc.paperSizeMm();
        m_left = layout.margins.left();
        m_top = layout.margins.top();
        m_bottom = paper.height() - layout.margins.bottom();
        m_columns = std::max(1, layout.columns);
        const qreal width = paper.width() - layout.margins.left() - layout.margins.right();
        m_columnWidth = (width - layout.columnGap * (m_columns - 1)) / m_columns;
        m_printDate = PrintDateText({}, printed, false);
        m_printDateTime = PrintDateText({}, printed, true);
        m_groupPosition = layout.hasGroup ? data.position(layout.group.field) : -1;
        m_groupPosition2 =
            layout.hasGroup && !layout.group.andField.isEmpty() ? data.position(layout.group.andField) : -1;
    }

    TReportDocument run()
    {
        const int rows = m_data.rowCount();
        QString currentKey;
        for (int row = 0; row < rows; ++row) {
            if (!m_pageOpen)
                newPage(row);
            if (m_layout.hasGroup) {
                const QString key = groupKey(row);
                if (row == 0 || key != currentKey || countedGroupStarts(row)) {
                    currentKey = key;
                    startGroup(row, key);
                }
            }
            placeDetail(row);
        }
        if (!m_pageOpen)
            newPage(-1); // an empty report still has its header
        return std::move(m_doc);
    }

private:
    int styleOf(bool bold, qreal pointSize)
    {
        const TReportStyle style{bold, pointSize};
        const auto it = std::find(m_doc.styles.begin(), m_doc.styles.end(), style);
        if (it != m_doc.styles.end())
            return static_cast<int>(it - m_doc.styles.begin());
        m_doc.styles.push_back(style);
        return static_cast<int>(m_doc.styles.size() - 1);
    }

    QString textOf(const TReportText& text, int row) const
    {
        switch (text.kind) {
        case TReportTextKind::Literal: return text.text;
        case TReportTextKind::Field: return row < 0 ? QString() : m_data.field(row, text.text);
        case TReportTextKind::PrintDate: return text.text + m_printDate;
        case TReportTextKind::PrintDateTime: return text.text + m_printDateTime;
        }
        return {};
    }

    void place(const TReportBand& band, qreal x, qreal y, int row)
    {
        TReportPage& page = m_doc.pages.back();
        for (const TReportText& text : band.texts) {
            QString value = textOf(text, row);
            if (value.isEmpty())
                continue;
            page.texts.push_back(
                {text.rect.translated(x, y), std::move(value), styleOf(text.bold, text.pointSize), text.align});
        }
        for (const QLineF& rule : band.rules)
            page.rules.push_back(rule.translated(x, y));
    }

    void newPage(int row)
    {
        m_doc.pages.push_back({});
        m_pageOpen = true;
        place(m_layout.pageHeader, m_left, m_top, row);
        m_columnTop = m_top + m_layout.pageHeader.height;
        m_y = m_columnTop;
        m_column = 0;
        m_rowOnPage = 0;
    }

    void nextColumn(int row)
    {
        if (m_column + 1 < m_columns) {
            ++m_column;
            m_y = m_columnTop;
        } else {
            newPage(row);
        }
    }

    qreal x() const { return m_left + m_column * (m_columnWidth + m_layout.columnGap); }
    bool fits(qreal height) const { return m_y + height <= m_bottom + kEpsilon; }
    bool freshColumn() const { return m_y <= m_columnTop + kEpsilon; }

    // The detail band of a row that would be the n-th (1-based) row of its page.
    const TDetailBand* bandFor(int row, int rowOnPage) const
    {
        for (const TDetailBand& band : m_layout.detail) {
            switch (band.match) {
            case TRowMatch::Always: return &band;
            case TRowMatch::FieldEquals:
                if (m_data.field(row, band.field) == band.value)
                    return &band;
                break;
            case TRowMatch::OddRowOnPage:
                if (rowOnPage % 2 == 1)
                    return &band;
                break;
            case TRowMatch::EvenRowOnPage:
                if (rowOnPage % 2 == 0)
                    return &band;
                break;
            }
        }
        return nullptr;
    }

    bool countedGroupStarts(int row) const
    {
        return m_layout.group.rowsPerGroup > 0 && row % m_layout.group.rowsPerGroup == 0;
    }

    bool sameGroup(int a, int b) const
    {
        if (m_layout.hasGroup && b > a && countedGroupStarts(b))
            return false;
        return !m_layout.hasGroup || groupKey(a) == groupKey(b);
    }

    QString groupKey(int row) const
    {
        QString key = m_data.field(row, m_groupPosition);
        if (m_groupPosition2 >= 0)
            key += QChar(0x1f) + m_data.field(row, m_groupPosition2);
        return key;
    }

    void startGroup(int row, const QString& key)
    {
        const TReportGroup& group = m_layout.group;
        if (group.newPage && (m_rowOnPage > 0 || !freshColumn()))
            newPage(row);
        if (group.keepTogether && !freshColumn()) {
            qreal height = group.header.height;
            int n = m_rowOnPage;
            for (int r = row; r < m_data.rowCount() && groupKey(r) == key && (r == row || !countedGroupStarts(r)); ++r)
                if (const TDetailBand* band = bandFor(r, ++n))
                    height += band->band.height;
            if (!fits(height))
                nextColumn(row);
        }
        if (!fits(group.header.height) && !freshColumn())
            nextColumn(row);
        place(group.header, x(), m_y, row);
        m_y += group.header.height;
    }

    void placeDetail(int row)
    {
        const TDetailBand* band = bandFor(row, m_rowOnPage + 1);
        if (!band)
            return;
        if (!fits(neededFor(row, *band, m_rowOnPage + 1)) && !freshColumn()) {
            nextColumn(row);
            band = bandFor(row, m_rowOnPage + 1);
            if (!band)
                return;
        }
        place(band->band, x(), m_y, row);
        m_y += band->band.height;
        ++m_rowOnPage;
    }

    qreal neededFor(int row, const TDetailBand& band, int rowOnPage) const
    {
        qreal height = band.band.height;
        if (band.keepWithNext && row + 1 < m_data.rowCount() && sameGroup(row, row + 1))
            if (const TDetailBand* next = bandFor(row + 1, rowOnPage + 1))
                height += next->band.height;
        return height;
    }

    const TReportLayout& m_layout;
    const TReportDataSource& m_data;
    TReportDocument m_doc;
    QString m_printDate, m_printDateTime;
    int m_groupPosition = -1;
    int m_groupPosition2 = -1;
    qreal m_left = 0, m_top = 0, m_bottom = 0, m_columnWidth = 0, m_columnTop = 0, m_y = 0;
    int m_columns = 1, m_column = 0, m_rowOnPage = 0;
    bool m_pageOpen = false;
};

} // namespace

TReportDocument LayOutReport(const TReportLayout& layout, const TReportDataSource& data, const QDateTime& printed)
{
    return TLayoutRun(layout, data, printed).run();
}

// ---- Painting

QString ReportFontFamily()
{
    return QStringLiteral("DejaVu Sans");
}

namespace {

constexpr qreal kRuleWidthMm = 0.25;
constexpr qreal kSmallestShrink = 0.6; // a text too wide for its box shrinks, to this at most

// Paints the pages of one document on one device. Shaping a text is most of the cost of
// drawing it, and a report repeats few texts many times (levels, types, headings), so
// each text is shaped once per style and drawn from then on as it is.
class TReportPainter final {
public:
    TReportPainter(QPainter& painter, const TReportDocument& document, const QRectF& target)
        : m_painter(painter), m_document(document), m_target(target)
    {
        const QSizeF paper = document.paperSizeMm();
        m_k = std::min(target.width() / paper.width(), target.height() / paper.height());
        const qreal nominal = painter.device()->logicalDpiY() / 25.4; // what point sizes assume
        for (const TReportStyle& style : document.styles) {
            QFont font(ReportFontFamily());
            font.setStyleHint(QFont::SansSerif);
            font.setPointSizeF(style.pointSize * m_k / nominal);
            font.setBold(style.bold);
            m_fonts.push_back(std::make_unique<TFont>(font, painter.device()));
        }
    }

    void paint(int pageIndex)
    {
        if (pageIndex < 0 || pageIndex >= m_document.pageCount())
            return;
        const TReportPage& page = m_document.pages[pageIndex];
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
        QPen pen(Qt::black);
        pen.setWidthF(kRuleWidthMm * m_k);
        m_painter.setPen(pen);
        for (const QLineF& rule : page.rules)
            m_painter.drawLine(QLineF(toDevice(rule.p1()), toDevice(rule.p2())));
        for (const TPlacedText& text : page.texts)
            paintText(text);
        m_painter.restore();
    }

private:
    struct TShaped {
        // Shaped for the device painted on: its resolution sets the glyphs' size.
        TShaped(const QString& text, const QFont& font, QPaintDevice* device) : layout(text, font, device) {}
        QTextLayout layout;
        qreal width = 0;
    };
    struct TFont {
        TFont(const QFont& f, QPaintDevice* device) : font(f), metrics(f, device), device(device) {}
        QFont font;
        QFontMetricsF metrics;
        QPaintDevice* device;
        std::unordered_map<QString, std::unique_ptr<TShaped>> shaped;
    };

    QPointF toDevice(QPointF mm) const { return m_target.topLeft() + mm * m_k; }

    const TShaped& shape(TFont& f, const QString& text)
    {
        auto it = f.shaped.find(text);
        if (it == f.shaped.end()) {
            auto shaped = std::make_unique<TShaped>(text, f.font, f.device);
            shaped->layout.setCacheEnabled(true);
            shaped->layout.beginLayout();
            QTextLine line = shaped->layout.createLine();
            line.setLeadingIncluded(false);
            shaped->layout.endLayout();
            shaped->width = line.isValid() ? line.naturalTextWidth() : 0;
            it = f.shaped.emplace(text, std::move(shaped)).first;
        }
        return *it->second;
    }

    void paintText(const TPlacedText& text)
    {
        if (text.style < 0 || text.style >= static_cast<int>(m_fonts.size()))
            return;
        TFont& f = *m_fonts[static_cast<std::size_t>(text.style)];
        const TShaped& shaped = shape(f, text.text);
        const QRectF box(toDevice(text.rect.topLeft()), text.rect.size() * m_k);
        qreal width = shaped.width;
        qreal ascent = f.metrics.ascent(), descent = f.metrics.descent();
        const bool shrink = width > box.width() && width > 0;
        qreal factor = 1;
        if (shrink) {
            factor = std::max(kSmallestShrink, box.width() / width);
            width *= factor;
            ascent *= factor;
            descent *= factor;
        }
        qreal x = box.left();
        if (text.align & Qt::AlignRight)
            x = box.right() - width;
        else if (text.align & Qt::AlignHCenter)
            x = box.center().x() - width / 2;
        qreal baseline = box.center().y() + (ascent - descent) / 2;
        if (text.align & Qt::AlignTop)
            baseline = box.top() + ascent;
        else if (text.align & Qt::AlignBottom)
            baseline = box.bottom() - descent;
        if (shrink) {
            QFont smaller = f.font;
            smaller.setPointSizeF(f.font.pointSizeF() * factor);
            m_painter.setFont(smaller);
            m_painter.drawText(QPointF(x, baseline), text.text);
            return;
        }
        // The layout's line has its top at the position given, its baseline one ascent below.
        shaped.layout.draw(&m_painter, QPointF(x, baseline - shaped.layout.lineAt(0).ascent()));
    }

    QPainter& m_painter;
    const TReportDocument& m_document;
    QRectF m_target;
    qreal m_k = 1; // device units a millimetre
    std::vector<std::unique_ptr<TFont>> m_fonts;
};

} // namespace

void PaintReportPage(QPainter& painter, const TReportDocument& document, int pageIndex, const QRectF& target)
{
    TReportPainter(painter, document, target).paint(pageIndex);
}

namespace {

void PaintPages(QPagedPaintDevice& device, const TReportDocument& document, const QList<int>& pages)
{
    QPainter painter;
    if (!painter.begin(&device))
        return;
    TReportPainter paint(painter, document, QRectF(0, 0, device.width(), device.height()));
    bool first = true;
    for (const int page : pages) {
        if (!first)
            device.newPage();
        first = false;
        paint.paint(page);
    }
    painter.end();
}

QList<int> AllPages(const TReportDocument& document, int from, int to)
{
    QList<int> pages;
    const int last = to > 0 ? std::min(to, document.pageCount()) : document.pageCount();
    for (int p = std::max(1, from); p <= last; ++p)
        pages.push_back(p - 1);
    return pages;
}

} // namespace

void PaintReport(QPagedPaintDevice& device, const TReportDocument& document, int from, int to)
{
    PaintPages(device, document, AllPages(document, from, to));
}

void PreparePrinter(QPrinter& printer, const TReportDocument& document)
{
    printer.setPageLayout(document.pageLayout);
    printer.setFullPage(true); // the layout places its own margins
}

void PrintReport(QPrinter& printer, const TReportDocument& document)
{
    const QPageRanges ranges = printer.pageRanges();
    QList<int> pages;
    for (int p = 1; p <= document.pageCount(); ++p)
        if (ranges.isEmpty() || ranges.contains(p))
            pages.push_back(p - 1);
    PaintPages(printer, document, pages);
}

bool SaveReportPdf(const TReportDocument& document, const QString& path, const QString& title)
{
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            return false;
    }
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Lumora Offline Editor"));
    if (!title.isEmpty())
        writer.setTitle(title);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(document.pageLayout.pageSize(), document.pageLayout.orientation(),
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    TReportPainter paint(painter, document, QRectF(0, 0, writer.width(), writer.height()));
    for (int page = 0; page < document.pageCount(); ++page) {
        if (page > 0)
            writer.newPage();
        paint.paint(page);
    }
    return painter.end();
}

} // namespace lumora
