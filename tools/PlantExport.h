#pragma once
// Writes every table of a plant as a CSV file, in the form the import reads: one file per
// table named after it, a header of the catalogue's column names, each value written by
// the kind of its column (ValueText), texts always quoted so that an empty text stays
// apart from a null. Export then import gives the same plant, row for row.

#include "tools/SourceTable.h"

#include <QString>
#include <QVector>
#include <functional>

class Database;

struct ExportedTable {
    QString table;
    int rows = 0;
    QString checksum;  // TableChecksum of what was written
};

namespace PlantExport {

// Writes the plant's tables into `dir` (made when missing). Refuses a folder that already
// holds CSV files, so that one plant's files are never mixed with another's.
QVector<ExportedTable> write(Database &db, const QString &dir, const std::function<void(const QString &)> &progress);
// Every table of the plant as the export writes it, for a copy into another plant through
// the import's conversion.
SourceTables read(Database &db);
// A digest of a table's rows as the export writes them, taken in sorted order so that it
// does not depend on the order the engine hands the rows out: two plants holding the same
// rows give the same digest.
QString tableChecksum(Database &db, const QString &table);

}  // namespace PlantExport
