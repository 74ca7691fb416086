#include "quorvel/QVReportLayouts.h"

#include "quorvel/QVReports.h"

namespace lumora {

namespace {

constexpr qreal kMargin = 12.7;
constexpr qreal kWidth = 215.9 - 2 * kMargin; // Letter, portrait, between the margins
constexpr qreal kRowHeight = 4.5;
constexpr qreal kTextSize = 8.5;

struct TColumn {
    const char* heading;
    const char* field;
    qreal left;
    qreal width;
};

TReportDataSource Source(std::initializer_list<const char*> fields)
{
    QList<TReportColumn> columns;
    int position = 0;
    for (const char* field : fields)
        columns.push_back({QString::fromLatin1(field), position++});
    return TReportDataSource(columns);
}

// The title across the page, "Printed" and the date at the right.
void AddTitle(TReportBand& header, const char* title)
{
    header.texts.push_back(LiteralText(QString::fromLatin1(title), QRectF(0, 0, kWidth, 9), true, 14,
                                       Qt::AlignHCenter | Qt::AlignVCenter));
    header.texts.push_back({TReportTextKind::PrintDate, QStringLiteral("Printed "), QRectF(kWidth - 60, 0, 60, 5),
                            false, 8, Qt::AlignRight | Qt::AlignVCenter});
}

void AddHeadings(TReportBand& band, const QList<TColumn>& columns, qreal top)
{
    for (const TColumn& c : columns)
        band.texts.push_back(
            LiteralText(QString::fromLatin1(c.heading), QRectF(c.left, top, c.width - 1, 5), true, kTextSize));
}

TDetailBand Row(const QList<TColumn>& columns)
{
    TDetailBand row;
    row.band.height = kRowHeight;
    for (const TColumn& c : columns)
        row.band.texts.push_back(
            FieldText(QString::fromLatin1(c.field), QRectF(c.left, 0, c.width - 1, kRowHeight), false, kTextSize));
    return row;
}

// A bold label and its field's value after it.
void AddLabelled(TReportBand& band, const char* label, qreal labelWidth, const char* field, qreal left, qreal right,
                 qreal top)
{
    band.texts.push_back(LiteralText(QString::fromLatin1(label), QRectF(left, top, labelWidth, 5), true, kTextSize));
    band.texts.push_back(FieldText(QString::fromLatin1(field),
                                   QRectF(left + labelWidth + 1, top, right - left - labelWidth - 1, 5), false,
                                   kTextSize));
}

} // namespace

// ---- Types: two columns, a group per type

TReportDataSource QvTypeDataSource()
{
    return Source({"QVType", "QVTypeName", "AttribNo", "AttrName", "Width", "Mastering", "Source"});
}

TReportLayout QvTypeLayout()
{
    TReportLayout layout;
    layout.columns = 2;
    layout.columnGap = 6;
    AddTitle(layout.pageHeader, kQvTypeReportTitle);
    layout.pageHeader.rules.push_back(QLineF(0, 11, kWidth, 11));
    layout.pageHeader.height = 14;

    const QList<TColumn> columns = {{"No.", "AttribNo", 0, 9},
                                    {"Name", "AttrName", 9, 20},
                                    {"Width", "Width", 29, 15},
                                    {"Mastering", "Mastering", 44, 21},
                                    {"Source", "Source", 65, 22}};
    layout.hasGroup = true;
    layout.group.field = QStringLiteral("QVType");
    layout.group.keepTogether = true;
    TReportBand& group = layout.group.header;
    group.texts.push_back(LiteralText(QStringLiteral("Type # "), QRectF(0, 1, 14, 5), true, 10));
    group.texts.push_back(FieldText(QStringLiteral("QVType"), QRectF(14, 1, 8, 5), true, 10));
    AddLabelled(group, "Name:", 11, "QVTypeName", 24, 90, 1);
    AddHeadings(group, columns, 7);
    group.rules.push_back(QLineF(0, 12, 88, 12));
    group.height = 13;
    layout.detail.push_back(Row(columns));
    return layout;
}

// ---- Devices: one line each

TReportDataSource QvDeviceDataSource()
{
    return Source({"Device No", "deviceName", "address", "type", "typeName"});
}

TReportLayout QvDeviceLayout()
{
    TReportLayout layout;
    const QList<TColumn> columns = {{"Device #", "Device No", 0, 20},
                                    {"Name", "deviceName", 20, 45},
                                    {"Address", "address", 65, 20},
                                    {"QV Type", "type", 85, 20},
                                    {"QV Type Name", "typeName", 105, 60}};
    AddTitle(layout.pageHeader, kQvDeviceReportTitle);
    AddHeadings(layout.pageHeader, columns, 12);
    layout.pageHeader.rules.push_back(QLineF(0, 18, kWidth, 18));
    layout.pageHeader.height = 20;
    TDetailBand row = Row(columns);
    row.band.height = 5;
    layout.detail.push_back(row);
    return layout;
}

// ---- Actions: three columns, a group per action

TReportDataSource QvActionDataSource()
{
    return Source({"ActionNo", "Loops", "SingleStep", "QvType", "Time", "Delay"});
}

TReportLayout QvActionLayout()
{
    TReportLayout layout;
    layout.columns = 3;
    layout.columnGap = 6;
    AddTitle(layout.pageHeader, kQvActionReportTitle);
    layout.pageHeader.rules.push_back(QLineF(0, 11, kWidth, 11));
    layout.pageHeader.height = 14;

    const QList<TColumn> columns = {
        {"QV Position", "QvType", 0, 23}, {"Time", "Time", 23, 17}, {"Delay", "Delay", 40, 17}};
    layout.hasGroup = true;
    layout.group.field = QStringLiteral("ActionNo");
    layout.group.keepTogether = true;
    TReportBand& group = layout.group.header;
    AddLabelled(group, "Action #", 15, "ActionNo", 0, 58, 1);
    AddLabelled(group, "Loops:", 11, "Loops", 0, 58, 6);
    AddLabelled(group, "Single Step:", 20, "SingleStep", 0, 58, 11);
    AddHeadings(group, columns, 17);
    group.rules.push_back(QLineF(0, 22, 58, 22));
    group.height = 23;
    layout.detail.push_back(Row(columns));
    return layout;
}

// ---- One position: a group per device

TReportDataSource QvPositionDataSource()
{
    return Source({"position", "device", "deviceName", "master", "qvType", "AttrNo", "AttrName", "source", "width",
                   "value", "time"});
}

TReportLayout QvPositionLayout()
{
    TReportLayout layout;
    TReportBand& header = layout.pageHeader;
    AddTitle(header, kQvPositionReportTitle);
    // The subtitle names the position every line of the file belongs to.
    header.texts.push_back(LiteralText(QString::fromLatin1(kQvPositionSubtitle), QRectF(60, 10, 38, 5), false, 10,
                                       Qt::AlignRight | Qt::AlignVCenter));
    header.texts.push_back(FieldText(QStringLiteral("position"), QRectF(98.5, 10, 30, 5), false, 10));
    header.rules.push_back(QLineF(0, 17, kWidth, 17));
    header.height = 19;

    const QList<TColumn> columns = {{"Attr. #", "AttrNo", 0, 16}, {"Attr. Name", "AttrName", 16, 30},
                                    {"Source", "source", 46, 24}, {"Width", "width", 70, 18},
                                    {"Value", "value", 88, 18},   {"Time", "time", 106, 18}};
    layout.hasGroup = true;
    layout.group.field = QStringLiteral("device");
    layout.group.keepTogether = true;
    TReportBand& group = layout.group.header;
    AddLabelled(group, "Device:", 14, "device", 0, 24, 2);
    AddLabelled(group, "Name:", 11, "deviceName", 26, 84, 2);
    AddLabelled(group, "Master:", 14, "master", 86, 112, 2);
    AddLabelled(group, "QV Type:", 16, "qvType", 114, 140, 2);
    AddHeadings(group, columns, 8);
    group.rules.push_back(QLineF(0, 13, 124, 13));
    group.height = 14;
    layout.detail.push_back(Row(columns));
    return layout;
}

} // namespace lumora
