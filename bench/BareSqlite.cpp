// The bare side on a plant file: the SQLite C API on a connection configured as the data
// layer's (one thread, the same page cache and memory map, the same Like).

#include "bench/BareSide.h"
#include "data/SqliteEngine.h"

#include <QString>
#include <QVariant>
#include <cstdio>
#include <sqlite3.h>

namespace {

qint64 variantOf(sqlite3_stmt *stmt, int i, int type) {
    switch (type) {
    case SQLITE_INTEGER: return !QVariant(qlonglong(sqlite3_column_int64(stmt, i))).isNull();
    case SQLITE_FLOAT: return !QVariant(sqlite3_column_double(stmt, i)).isNull();
    case SQLITE_NULL: return !QVariant().isNull();
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
        return !QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, i))).isNull();
    }
    }
}

qint64 valueOf(sqlite3_stmt *stmt, int i, BareReading reading) {
    const int type = sqlite3_column_type(stmt, i);
    if (reading == BareReading::Variants) return variantOf(stmt, i, type);
    switch (type) {
    case SQLITE_INTEGER: return sqlite3_column_int64(stmt, i) != 0;
    case SQLITE_FLOAT: return sqlite3_column_double(stmt, i) != 0;
    case SQLITE_NULL: return 0;
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
        const int size = sqlite3_column_bytes(stmt, i);
        if (reading == BareReading::Strings) return !QString::fromUtf8(text, size).isEmpty();
        return size > 0 && text != nullptr;
    }
    }
}

void bind(sqlite3_stmt *stmt, int marker, const QVariant &value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong: sqlite3_bind_int64(stmt, marker, value.toLongLong()); break;
    case QMetaType::Double: sqlite3_bind_double(stmt, marker, value.toDouble()); break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(stmt, marker, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

sqlite3_stmt *prepared(sqlite3 *db, const QByteArray &sql) {
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sqlite3_errmsg(db), sql.constData());
        std::exit(1);
    }
    return stmt;
}

class SqliteStatement : public BareStatement {
public:
    explicit SqliteStatement(sqlite3_stmt *stmt) : m_stmt(stmt) {}
    ~SqliteStatement() override { sqlite3_finalize(m_stmt); }

    qint64 run(BareReading reading, const QVariantList &values) override {
        for (int i = 0; i < values.size(); ++i) bind(m_stmt, i + 1, values.at(i));
        qint64 seen = 0;
        const int columns = sqlite3_column_count(m_stmt);
        while (sqlite3_step(m_stmt) == SQLITE_ROW)
            for (int i = 0; i < columns; ++i) seen += valueOf(m_stmt, i, reading);
        sqlite3_reset(m_stmt);
        return seen;
    }

private:
    sqlite3_stmt *m_stmt;
};

class SqliteConnection : public BareConnection {
public:
    explicit SqliteConnection(const QByteArray &path) {
        sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_exec(m_db, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
        sqlite3_exec(m_db, "PRAGMA mmap_size=0", nullptr, nullptr, nullptr);
        SqliteEngine::addPlantFunctions(m_db);
    }
    ~SqliteConnection() override { sqlite3_close(m_db); }

    const char *library() const override { return "SQLite"; }
    std::unique_ptr<BareStatement> prepare(const QByteArray &nativeSql) override {
        return std::make_unique<SqliteStatement>(prepared(m_db, nativeSql));
    }
    void begin() override { sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr); }
    void rollback() override { sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr); }

    // The builder's scratch tables are the file's own, which this connection reads as well.
    void makeScratchTables(const QVector<QByteArray> &) override {}

    std::optional<QStringList> fullScans(const QByteArray &nativeSql) override {
        QStringList scans;
        sqlite3_stmt *plan = prepared(m_db, "EXPLAIN QUERY PLAN " + nativeSql);
        while (sqlite3_step(plan) == SQLITE_ROW) {
            const QString detail = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan, 3)));
            if (detail.startsWith(QLatin1String("SCAN ")) && !detail.contains(QLatin1String(" USING "))) scans << detail;
        }
        sqlite3_finalize(plan);
        return scans;
    }

private:
    sqlite3 *m_db = nullptr;
};

}  // namespace

std::unique_ptr<BareConnection> OpenBareSqlite(const QByteArray &path) { return std::make_unique<SqliteConnection>(path); }
