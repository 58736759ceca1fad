#include "data/SqliteEngine.h"

#include "core/AppError.h"
#include "data/JetDialect.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

// Maps SQLite's result codes onto the error numbers the office knows.
int errorNumberFor(int code) {
    switch (code & 0xff) {
    case SQLITE_NOTADB: return ErrorNumber::UnrecognizedFormat;
    case SQLITE_CANTOPEN: return ErrorNumber::CouldNotFindFile;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ErrorNumber::DatabaseBusy;
    case SQLITE_CONSTRAINT: return 3022;  // duplicate key
    default: return ErrorNumber::ReservedError;
    }
}

// like(pattern, text) as the desktop engine matches: * ? # [list] [!list], no case.
void jetLike(sqlite3_context *ctx, int argc, sqlite3_value **argv) {
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString pattern = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[0])));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[1])));
    sqlite3_result_int(ctx, JetDialect::like(text, pattern) ? 1 : 0);
}

class SqliteStatement : public Statement {
public:
    SqliteStatement(sqlite3 *db, sqlite3_stmt *stmt) : m_db(db), m_stmt(stmt) {}
    ~SqliteStatement() override { sqlite3_finalize(m_stmt); }

    void bind(int index, const QVariant &value) override {
        int rc = SQLITE_OK;
        if (value.isNull() || !value.isValid()) {
            rc = sqlite3_bind_null(m_stmt, index);
        } else {
            switch (value.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
                break;
            default: {
                const QByteArray utf8 = value.toString().toUtf8();
                rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK) throw AppError(errorNumberFor(rc), QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

    bool step() override {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) {
            m_changes = sqlite3_changes(m_db);
            return false;
        }
        throw AppError(errorNumberFor(rc), QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

    int columnCount() const override { return sqlite3_column_count(m_stmt); }

    ColumnMeta column(int index) const override {
        auto text = [](const char *s) { return s ? QString::fromUtf8(s) : QString(); };
        ColumnMeta meta;
        meta.name = text(sqlite3_column_name(m_stmt, index));
        meta.table = text(sqlite3_column_table_name(m_stmt, index));
        meta.origin = text(sqlite3_column_origin_name(m_stmt, index));
        meta.declType = text(sqlite3_column_decltype(m_stmt, index)).toUpper();
        return meta;
    }

    QVariant value(int index) const override {
        switch (sqlite3_column_type(m_stmt, index)) {
        case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(m_stmt, index)));
        case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, index));
        case SQLITE_NULL: return QVariant();
        case SQLITE_BLOB: {
            const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, index));
            return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, index)));
        }
        default:
            return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, index)),
                                              sqlite3_column_bytes(m_stmt, index)));
        }
    }

    int changes() const override { return m_changes; }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt;
    int m_changes = 0;
};

}  // namespace

SqliteEngine::SqliteEngine(const QString &path, OpenMode mode) {
    const QFileInfo info(path);
    if (mode == OpenMode::ExistingOnly && !info.exists())
        throw AppError(ErrorNumber::CouldNotFindFile, QStringLiteral("Could not find file '%1'.").arg(path));
    if (mode == OpenMode::CreateNew && info.exists())
        throw AppError(ErrorNumber::TableExists, QStringLiteral("Database '%1' already exists.").arg(path));

    const int flags = SQLITE_OPEN_READWRITE | (mode == OpenMode::CreateNew ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw AppError(errorNumberFor(rc), QStringLiteral("Cannot open database '%1': %2").arg(path, message));
    }
    sqlite3_busy_timeout(m_db, 10000);
    sqlite3_extended_result_codes(m_db, 0);
    try {
        // Reading the schema proves the file is a database before anything is written.
        run("SELECT count(*) FROM sqlite_master");
        run("PRAGMA journal_mode=WAL");
        run("PRAGMA foreign_keys=OFF");
    } catch (const AppError &e) {
        sqlite3_close(m_db);
        m_db = nullptr;
        if (e.number() == ErrorNumber::UnrecognizedFormat)
            throw AppError(e.number(), QStringLiteral("Unrecognized database format '%1'.").arg(path));
        throw;
    }
    sqlite3_create_function(m_db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, jetLike, nullptr, nullptr);
    sqlite3_create_function(m_db, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, jetLike, nullptr, nullptr);
}

SqliteEngine::~SqliteEngine() {
    if (m_db) sqlite3_close_v2(m_db);
}

QString SqliteEngine::translate(const QString &jetSql) { return JetDialect::toSqlite(jetSql); }

std::unique_ptr<Statement> SqliteEngine::prepare(const QString &nativeSql) {
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = nativeSql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(stmt);
        int number = errorNumberFor(rc);
        if (message.startsWith(QLatin1String("no such table"))) number = ErrorNumber::NoSuchTable;
        else if (message.contains(QLatin1String("already exists"))) number = ErrorNumber::TableExists;
        else if (message.startsWith(QLatin1String("no such column"))) number = 3061;  // too few parameters
        else if (number == ErrorNumber::ReservedError) number = ErrorNumber::SyntaxError;
        throw AppError(number, message + QStringLiteral(" in '") + nativeSql + QStringLiteral("'"));
    }
    if (!stmt) throw AppError(ErrorNumber::SyntaxError, QStringLiteral("Empty statement."));
    return std::make_unique<SqliteStatement>(m_db, stmt);
}

QVector<TableColumn> SqliteEngine::tableColumns(const QString &table) {
    const QString key = table.toLower();
    auto cached = m_tableColumns.constFind(key);
    if (cached != m_tableColumns.constEnd()) return *cached;
    QVector<TableColumn> columns;
    auto stmt = prepare(QStringLiteral("PRAGMA table_info(\"%1\")").arg(QString(table).replace('"', "\"\"")));
    while (stmt->step()) {
        TableColumn column;
        column.name = stmt->value(1).toString();
        column.declType = stmt->value(2).toString().toUpper();
        column.primaryKey = stmt->value(5).toInt() > 0;
        columns << column;
    }
    // Temporary tables come and go: only the permanent tables are remembered.
    if (!table.startsWith(QLatin1String("tmp"), Qt::CaseInsensitive)) m_tableColumns.insert(key, columns);
    return columns;
}

qint64 SqliteEngine::reserveAutoNumber(const QString &table, const QString &column) {
    // Take the next number from the table's sequence in a write transaction of its own,
    // so that two copies appending at the same moment never get the same number and a
    // number once handed out is never used again.
    const bool ownTransaction = !inTransaction();
    if (ownTransaction) run("BEGIN IMMEDIATE");
    try {
        const QString quotedTable = QString(table).replace('\'', "''");
        qint64 next = 1;
        {
            auto seq = prepare(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = '%1'").arg(quotedTable));
            if (seq->step()) next = seq->value(0).toLongLong() + 1;
        }
        {
            auto max = prepare(QStringLiteral("SELECT max(\"%1\") FROM \"%2\"").arg(column, table));
            if (max->step() && !max->value(0).isNull()) next = qMax(next, max->value(0).toLongLong() + 1);
        }
        auto write = prepare(QStringLiteral("UPDATE sqlite_sequence SET seq = %1 WHERE name = '%2'").arg(next).arg(quotedTable));
        write->step();
        if (write->changes() == 0)
            prepare(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('%1', %2)").arg(quotedTable).arg(next))->step();
        if (ownTransaction) run("COMMIT");
        return next;
    } catch (...) {
        if (ownTransaction) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteEngine::compareTextWithoutCase(const QString &table) {
    // A table made by CREATE TABLE ... AS SELECT has no collation of its own: copy it into
    // one whose text columns compare without regard to case, under the same name.
    const QString name = QString(table).replace('"', "\"\"");
    const QString staging = name + QStringLiteral("__nocase");
    QStringList columns;
    QStringList names;
    for (const TableColumn &c : tableColumns(table)) {
        const QString quoted = QLatin1Char('"') + QString(c.name).replace('"', "\"\"") + QLatin1Char('"');
        names << quoted;
        // Text columns, and computed columns of no declared kind, compare without case;
        // the kind of every column stays as it was, so sums remain numbers.
        const bool text = c.declType.isEmpty() || c.declType.startsWith(QLatin1String("TEXT"));
        columns << quoted + QLatin1Char(' ') + c.declType + (text ? QStringLiteral(" COLLATE NOCASE") : QString());
    }
    if (columns.isEmpty()) return;
    const bool ownTransaction = !inTransaction();
    if (ownTransaction) begin();
    try {
        prepare(QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(staging, columns.join(QStringLiteral(", "))))->step();
        prepare(QStringLiteral("INSERT INTO \"%1\" SELECT %2 FROM \"%3\"").arg(staging, names.join(','), name))->step();
        prepare(QStringLiteral("DROP TABLE \"%1\"").arg(name))->step();
        prepare(QStringLiteral("ALTER TABLE \"%1\" RENAME TO \"%2\"").arg(staging, name))->step();
        if (ownTransaction) commit();
    } catch (...) {
        if (ownTransaction) rollback();
        throw;
    }
}

void SqliteEngine::begin() { run("BEGIN IMMEDIATE"); }
void SqliteEngine::commit() { run("COMMIT"); }
void SqliteEngine::rollback() {
    if (inTransaction()) run("ROLLBACK");
}
bool SqliteEngine::inTransaction() const { return m_db && !sqlite3_get_autocommit(m_db); }

void SqliteEngine::run(const char *sql) {
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(message);
        throw AppError(errorNumberFor(rc), text);
    }
}

QString SqliteEngine::libraryVersion() { return QString::fromLatin1(sqlite3_libversion()); }
