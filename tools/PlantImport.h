#pragma once
// Brings a plant's records into a new plant: tables given as SourceTables (read from a
// desktop-database file or from CSV files) are checked whole against the schema
// catalogue, every field converted by the kind of its column, and only then written, in
// one transaction, keys kept as they were so that every link between the records holds.
//
// The check reports, before anything is written:
//   - source tables and columns the plant does not have (they are skipped);
//   - plant tables the source lacks (they stay empty);
//   - every row that cannot be brought across, with its table, key, column and value: a
//     field that does not convert, an empty or repeated key, a link to a row that does not
//     exist (an order line whose order is missing, a payment without its invoice).
// A row left out makes the rows that link to it bad in turn (the lines of a skipped order).

#include "tools/SourceTable.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

class Database;
struct CatalogueTable;

struct ImportTableCount {
    QString table;
    int read = 0;
    int written = 0;
    int skipped = 0;
};

// A plant table with its rows converted, as the check leaves it for the write.
struct ConvertedTable {
    const CatalogueTable *table = nullptr;
    QVector<int> columns;                // the catalogue columns the source has, by index
    QVector<QVector<QVariant>> rows;     // stored values, in the order of `columns`
    ImportTableCount count;
};

struct ImportCheck {
    QStringList notices;   // tables and columns skipped, tables left empty
    QStringList badRows;   // "Orders, ID 12, column OrderDate, value '2/30/2024': not a date"
    QVector<ConvertedTable> tables;  // every plant table, in the catalogue's order
};

using ImportProgress = std::function<void(const QString &line)>;

namespace PlantImport {

// Checks and converts the whole source; writes nothing.
ImportCheck check(const SourceTables &source, const ImportProgress &progress);
// The plant tables of the database that hold rows; an import writes only into a plant
// where this is empty.
QStringList tablesWithRows(Database &db);
// Writes the checked rows into the database in one transaction, keys as they came, and
// sets each auto-number past the highest key written. Fills in the written counts.
void write(Database &db, ImportCheck &check, const ImportProgress &progress);

}  // namespace PlantImport
