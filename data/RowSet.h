#pragma once
// A plain copy of query rows: what the report engine binds and what tools print.
// It knows nothing of the database engine that produced it.

#include "data/ColumnKind.h"

#include <QString>
#include <QVariant>
#include <QVector>

struct RowSetColumn {
    QString name;      // result name (an alias where the query gives one)
    QString table;     // origin table, empty for computed columns
    QString origin;    // origin column name, empty for computed columns
    QString declType;  // declared kind of the origin column (TEXT, LONG, DOUBLE, CURRENCY, DATETIME, YESNO ...)
    ColumnKind kind = ColumnKind::Other;  // the kind the data layer read the column as
};

struct RowSet {
    QVector<RowSetColumn> columns;
    QVector<QVector<QVariant>> rows;

    // Column index by name without regard to case; "Table.Column" names a column by its
    // origin table (and origin column). Returns -1 when no column has the name.
    int indexOf(const QString &name) const;
    QVariant value(int row, const QString &name) const;
};
