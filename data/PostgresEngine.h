#pragma once

// The PostgreSQL engine behind the data layer, for a plant whose office PCs share one
// server. One connection per Database; the plant's tables are made from the catalogue with
// their names as the catalogue spells them, text columns in a collation that compares
// without regard to case for every letter, auto-numbers as identity columns, and a hidden row key (quelby_row)
// by which a set finds its rows again for an edit. Statements a clerk's save runs outside
// a transaction are tried again when another PC holds the rows for a moment; inside one,
// the save is rolled back whole and the clerk told the records are busy.

#include "data/Engine.h"

#include <QHash>
#include <QPair>
#include <unordered_map>

struct pg_conn;
struct pg_result;
typedef struct pg_result PGresult;

class PostgresEngine : public Engine {
public:
    PostgresEngine(const QString &address, EngineAccess access);
    ~PostgresEngine() override;

    // True when a plant's address names a server (a postgresql:// URI, or key=value pairs
    // such as "host=office dbname=plant") rather than a file.
    static bool isServerAddress(const QString &address);
    // True when the address carries a password (a URI's user:password@ or password=).
    static bool holdsPassword(const QString &address);

    QString translate(const QString &jetSql) override;
    std::unique_ptr<Statement> prepare(const QString &nativeSql) override;
    QString quoteName(const QString &name) const override;
    QString rowKeyExpression() const override;
    QVariant lastInsertedRowKey() override;
    QStringList tableNames() override;
    QStringList indexNames() override;
    QStringList createTable(const CatalogueTable &table) const override;
    qint64 reserveAutoNumber(const QString &table, const QString &column) override;
    void keepAutoNumberPast(const QString &table, const QString &column, qint64 highest) override;
    void compareTextWithoutCase(const QString &table) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;
    void backupTo(const QString &path) override;
    QStringList integrityProblems() override;
    QString versionText() const override;

    // The origin of a result column: table and column names by the table's id and the
    // column's number, asked once per connection.
    QPair<QString, QString> originOf(unsigned tableId, int columnNumber);
    // Runs a statement of this engine's SQL with no result wanted; throws AppError.
    void run(const QString &sql);
    // The server named for messages: host (or socket folder), port and database.
    QString serverName() const;

private:
    QString sequenceOf(const QString &table, const QString &column);
    QStringList relationNames(const char *kinds);
    qint64 scalar(const QString &sql);
    Statement &kept(const QString &sql);
    PGresult *prepareNamed(const QString &sql, const QString &nativeSql, bool mayLackRowKey);

    pg_conn *m_conn = nullptr;
    int m_statementCount = 0;
    QByteArray m_lastName;       // of the statement prepareNamed() made last
    QVariant m_insertedRowKey;   // handed back by the last INSERT ... VALUES; null after any other INSERT
    QHash<QPair<unsigned, int>, QPair<QString, QString>> m_origins;
    QHash<QString, QString> m_sequences;
    std::unordered_map<QString, std::unique_ptr<Statement>> m_kept;
    friend class PostgresStatement;
};
