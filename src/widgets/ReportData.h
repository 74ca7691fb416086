#pragma once

// A report's data source: the columns of its data file, declared by name and position
// (0 for the first), and the rows read from the file. The layout asks for fields by
// name, so the file and the layout agree through these declarations alone.

#include "print/ReportFiles.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace lumora {

struct TReportColumn {
    QString name;
    int position = 0;
};

class TReportDataSource final {
public:
    explicit TReportDataSource(QList<TReportColumn> columns);

    // ---- Columns
    const QList<TReportColumn>& columns() const { return m_columns; }
    // The position of a declared column; -1 for a name that is not declared.
    int position(const QString& name) const { return m_positions.value(name, -1); }

    // ---- Rows
    // Reads the whole data file (comma-separated, quoted fields read as one); false when
    // it cannot be read, and then the source holds no rows.
    bool open(const QString& path);
    // Rows handed over directly, as from a report that writes no file.
    void setRows(const std::vector<TReportRow>& rows);
    // Releases the rows once the report is done.
    void close() { m_rows.clear(); }

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // A field of a row; empty where the row is shorter or the name is not declared.
    QString field(int row, const QString& name) const { return field(row, position(name)); }
    QString field(int row, int position) const;

private:
    QList<TReportColumn> m_columns;
    QHash<QString, int> m_positions;
    QList<QStringList> m_rows;
};

// A field's bytes as text: UTF-8 where they are, else one character per byte.
QString ReportFieldText(const std::string& bytes);

} // namespace lumora
