#include "tools/PlantExport.h"

#include "core/AppError.h"
#include "data/Catalogue.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "tools/CsvFile.h"
#include "tools/SourceTable.h"
#include "tools/ValueText.h"

#include <QCryptographicHash>
#include <QDir>

namespace {

// Every row of a plant table as texts, in the catalogue's column order.
QVector<QStringList> tableRows(Database &db, const CatalogueTable &table) {
    QVector<QStringList> rows;
    auto rs = db.openRecordset(QStringLiteral("SELECT * FROM [%1]").arg(table.name), RecordsetType::ForwardOnly);
    for (; !rs->eof(); rs->moveNext()) {
        QStringList row;
        row.reserve(table.columns.size());
        for (const CatalogueColumn &c : table.columns) row << ValueText::write(c.kind, rs->field(c.name));
        rows << row;
    }
    rs->close();
    return rows;
}

QString checksumOf(const CatalogueTable &table, const QVector<QStringList> &rows) {
    QStringList lines;
    lines.reserve(rows.size());
    for (const QStringList &row : rows) {
        QStringList fields;
        for (int i = 0; i < row.size(); ++i) fields << Csv::field(row.at(i), table.columns.at(i).kind == ColumnKind::Text);
        lines << fields.join(QLatin1Char(','));
    }
    lines.sort();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &line : lines) hash.addData((line + QLatin1Char('\n')).toUtf8());
    return QString::fromLatin1(hash.result().toHex().left(16));
}

}  // namespace

namespace PlantExport {

QVector<ExportedTable> write(Database &db, const QString &dir, const std::function<void(const QString &)> &progress) {
    QDir folder(dir);
    if (!folder.mkpath(QStringLiteral(".")))
        throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot make the folder '%1'.").arg(dir));
    if (!folder.entryList({QStringLiteral("*.csv")}, QDir::Files).isEmpty())
        throw AppError(ErrorNumber::TableExists,
                       QStringLiteral("The folder '%1' already holds CSV files; export into an empty folder.").arg(dir));
    QVector<ExportedTable> written;
    for (const CatalogueTable &table : Catalogue::tables()) {
        const QVector<QStringList> rows = tableRows(db, table);
        QStringList columns;
        QVector<bool> quoted;
        for (const CatalogueColumn &c : table.columns) {
            columns << c.name;
            quoted << (c.kind == ColumnKind::Text);
        }
        Csv::write(folder.filePath(table.name + QStringLiteral(".csv")), columns, quoted, rows);
        written << ExportedTable{table.name, int(rows.size()), checksumOf(table, rows)};
        if (progress) progress(QStringLiteral("wrote %1: %2").arg(table.name, RowCount(rows.size())));
    }
    return written;
}

SourceTables read(Database &db) {
    SourceTables tables;
    for (const CatalogueTable &table : Catalogue::tables()) {
        SourceTable source{table.name, {}, tableRows(db, table)};
        for (const CatalogueColumn &c : table.columns) source.columns << c.name;
        tables << source;
    }
    return tables;
}

QString tableChecksum(Database &db, const QString &table) {
    const CatalogueTable *t = Catalogue::table(table);
    if (!t) throw AppError(ErrorNumber::NoSuchTable, QStringLiteral("'%1' is not a table of the plant.").arg(table));
    return checksumOf(*t, tableRows(db, *t));
}

}  // namespace PlantExport
