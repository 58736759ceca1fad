#include "tools/DesktopDatabaseReader.h"

#include "core/AppError.h"

#include <QFileInfo>
#include <mdbtools.h>

#include <memory>
#include <vector>

namespace {

constexpr char kDateTimeFormat[] = "%Y-%m-%d %H:%M:%S";
// Room for the longest memo (65,535 characters, up to three bytes each in UTF-8).
constexpr size_t kBindSize = 1 << 18;

struct HandleCloser {
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using TableDef = std::unique_ptr<MdbTableDef, TableFreer>;

bool isBinary(int type) {
    return type == MDB_OLE || type == MDB_BINARY || type == MDB_REPID || type == MDB_COMPLEX;
}

// One bound column: libmdb writes the current row's text and its length here.
struct Bound {
    int index = 0;  // column number in the table definition
    std::vector<char> text;
    int length = 0;
};

SourceTable readTable(MdbCatalogEntry *entry, const QString &path) {
    TableDef table(mdb_read_table(entry));
    if (!table)
        throw AppError(ErrorNumber::UnrecognizedFormat,
                       QStringLiteral("Cannot read the table '%1' of '%2'.").arg(QString::fromUtf8(entry->object_name), path));
    mdb_read_columns(table.get());
    mdb_rewind_table(table.get());

    SourceTable source;
    source.name = QString::fromUtf8(entry->object_name);
    std::vector<Bound> bound;
    bound.reserve(table->num_cols);
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        const auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        if (isBinary(column->col_type)) continue;
        source.columns << QString::fromUtf8(column->name);
        bound.push_back({int(i), std::vector<char>(kBindSize + 1, 0), 0});
    }
    for (Bound &b : bound) mdb_bind_column(table.get(), b.index + 1, b.text.data(), &b.length);

    while (mdb_fetch_row(table.get())) {
        QStringList row;
        row.reserve(int(bound.size()));
        // libmdb reports a null field, as mdb-export reads it, by a length of zero.
        for (const Bound &b : bound) row << (b.length > 0 ? QString::fromUtf8(b.text.data(), b.length) : QString());
        source.rows << row;
    }
    return source;
}

}  // namespace

namespace DesktopDatabase {

bool isDesktopDatabase(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("mdb") || suffix == QLatin1String("accdb");
}

SourceTables read(const QString &path) {
    if (!QFileInfo(path).isFile())
        throw AppError(ErrorNumber::CouldNotFindFile, QStringLiteral("Could not find file '%1'.").arg(path));
    Handle mdb(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE))
        throw AppError(ErrorNumber::UnrecognizedFormat,
                       QStringLiteral("'%1' is not a desktop-database file libmdb can read.").arg(path));
    mdb_set_date_fmt(mdb.get(), kDateTimeFormat);
    mdb_set_shortdate_fmt(mdb.get(), kDateTimeFormat);
    mdb_set_boolean_fmt_numbers(mdb.get());
    mdb_set_bind_size(mdb.get(), kBindSize);

    SourceTables tables;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry)) continue;
        tables << readTable(entry, path);
    }
    return tables;
}

}  // namespace DesktopDatabase
