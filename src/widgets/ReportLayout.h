#pragma once

// The page layout of a banded report: paper and margins, a page header band, an optional
// group band keyed on a field, and detail bands chosen row by row. Every measure is in
// millimetres, so where a row lands never depends on the fonts of the machine.

#include <QLineF>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

namespace lumora {

// ---- What a band holds

enum class TReportTextKind {
    Literal,       // text as written
    Field,         // the value of the data field named by text
    PrintDate,     // text followed by the print date
    PrintDateTime, // text followed by the print date and time
};

struct TReportText {
    TReportTextKind kind = TReportTextKind::Literal;
    QString text; // the literal, the field's name, or the label before the date
    QRectF rect;  // within the band, from its top-left corner
    bool bold = false;
    qreal pointSize = 9;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
};

struct TReportBand {
    qreal height = 0;
    QList<TReportText> texts;
    QList<QLineF> rules; // within the band; drawn 0.25 mm wide
};

// ---- Choosing a detail band for a row

enum class TRowMatch {
    Always,
    FieldEquals,   // field `field` reads `value`
    OddRowOnPage,  // the 1st, 3rd, 5th ... detail row of its page
    EvenRowOnPage, // the 2nd, 4th ... detail row of its page
};

struct TDetailBand {
    TRowMatch match = TRowMatch::Always;
    QString field;
    QString value;
    TReportBand band;
    // Never the last row of a page or column: the row after it moves along with it.
    bool keepWithNext = false;
};

struct TReportGroup {
    QString field;             // a new group starts where this field's value changes
    TReportBand header;        // printed at the start of each group (may be 0 high)
    bool newPage = false;      // each group after the first starts a page
    bool keepTogether = false; // a group that fits on a fresh page is not split
    // A new group also starts every this many rows (0: only where the field changes), so
    // records of fixed count each make a group even when two share the field's value.
    int rowsPerGroup = 0;
    QString andField; // a second field of the key, when given: a change of either starts a group
};

// ---- The whole layout

struct TReportLayout {
    QPageSize::PageSizeId paper = QPageSize::Letter;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{12.7, 12.7, 12.7, 12.7};

    TReportBand pageHeader; // across the whole width, on every page
    bool hasGroup = false;
    TReportGroup group;
    // The first band whose match holds is used for a row; a row no band matches is left out.
    QList<TDetailBand> detail;

    // Detail rows flow down the first column, then the next, across the page.
    int columns = 1;
    qreal columnGap = 5;
};

// ---- Building blocks for layouts

inline TReportText LiteralText(const QString& text, QRectF rect, bool bold = false, qreal pointSize = 9,
                               Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    return {TReportTextKind::Literal, text, rect, bold, pointSize, align};
}

inline TReportText FieldText(const QString& field, QRectF rect, bool bold = false, qreal pointSize = 9,
                             Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    return {TReportTextKind::Field, field, rect, bold, pointSize, align};
}

} // namespace lumora
