#pragma once
// A table as an import source hands it over: its name, its column names and its rows as
// texts, the way a desktop-database export writes them. A null field is a null QString
// (QString().isNull()); an empty text is an empty, non-null QString. The desktop-database
// reader and the CSV reader both produce these, and the plant mapping reads only these,
// so every source goes through the same conversion.

#include <QString>
#include <QStringList>
#include <QVector>

struct SourceTable {
    QString name;
    QStringList columns;
    QVector<QStringList> rows;  // one text per column, in the order of `columns`
};

using SourceTables = QVector<SourceTable>;

// "1 row", "12 rows": a count of rows as the import and export report it.
inline QString RowCount(qsizetype n) {
    return n == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(n);
}
