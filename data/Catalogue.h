#pragma once
// The plant's permanent tables as data: every table with its columns, the kind of value
// each column holds, its key and the indexes the windows and documents need. Each engine
// makes its own DDL from it, the data layer converts written values by it, and an import
// from another plant file reads the same description.

#include "data/ColumnKind.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct CatalogueColumn {
    QString name;
    ColumnKind kind;
    bool key = false;  // the table's key (an auto-number or a typed text key)
};

struct CatalogueTable {
    QString name;
    QVector<CatalogueColumn> columns;

    // The column of the given name without regard to case, or nullptr.
    const CatalogueColumn *column(const QString &name) const;
    // The auto-numbered column, or nullptr when the table has none.
    const CatalogueColumn *autoNumber() const;
};

struct CatalogueIndex {
    QString name;
    QString table;
    QStringList columns;
};

namespace Catalogue {

// The permanent tables in the order they are created.
const QVector<CatalogueTable> &tables();
const QVector<CatalogueIndex> &indexes();
// The table of the given name without regard to case, or nullptr (temporary tables).
const CatalogueTable *table(const QString &name);
// The kind of table.column, or ColumnKind::Other when the catalogue does not know it.
ColumnKind kindOf(const QString &table, const QString &column);

}  // namespace Catalogue
