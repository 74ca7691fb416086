#include "widgets/ReportData.h"

#include <QStringDecoder>

namespace lumora {

QString ReportFieldText(const std::string& bytes)
{
    bool ascii = true;
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}

TReportDataSource::TReportDataSource(QList<TReportColumn> columns) : m_columns(std::move(columns))
{
    for (const TReportColumn& column : m_columns)
        m_positions.insert(column.name, column.position);
}

bool TReportDataSource::open(const QString& path)
{
    m_rows.clear();
    const auto text = ReadReportFile(path.toStdString());
    if (!text)
        return false;
    setRows(ParseCsv(*text));
    return true;
}

void TReportDataSource::setRows(const std::vector<TReportRow>& rows)
{
    m_rows.clear();
    m_rows.reserve(static_cast<qsizetype>(rows.size()));
    // Most fields repeat (levels, types, headings): one shared string each.
    QHash<QByteArray, QString> seen;
    for (const TReportRow& row : rows) {
        QStringList fields;
        fields.reserve(static_cast<qsizetype>(row.size()));
        for (const std::string& field : row) {
            const QByteArray key = QByteArray::fromRawData(field.data(), static_cast<qsizetype>(field.size()));
            auto it = seen.constFind(key);
            if (it == seen.constEnd())
                it = seen.insert(QByteArray(key.constData(), key.size()), ReportFieldText(field));
            fields.push_back(*it);
        }
        m_rows.push_back(std::move(fields));
    }
}

QString TReportDataSource::field(int row, int position) const
{
    if (row < 0 || row >= m_rows.size() || position < 0)
        return {};
    const QStringList& fields = m_rows[row];
    return position < fields.size() ? fields[position] : QString();
}

} // namespace lumora
