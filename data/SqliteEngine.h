#pragma once

// The SQLite engine behind the data layer: one connection per plant file, WAL journal
// and a busy timeout so several copies of the application can share the file, the
// desktop engine's Like registered as like(), text compared without regard to case for
// every letter (NOCASE replaced on the connection; see foldCaseOfEveryLetter()).

#include "data/Engine.h"

#include <QHash>
#include <unordered_map>

struct sqlite3;

class SqliteEngine : public Engine {
public:
    SqliteEngine(const QString &path, EngineAccess access);
    ~SqliteEngine() override;

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
    CaseFoldingOutcome foldCaseOfEveryLetter() override;
    void begin() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;
    void backupTo(const QString &path) override;
    QStringList integrityProblems() override;
    QString versionText() const override { return QStringLiteral("SQLite ") + libraryVersion(); }

    static QString libraryVersion();
    // Gives a connection the functions the plant's SQL relies on: the desktop engine's Like,
    // and NOCASE comparing every letter without regard to case.
    static void addPlantFunctions(sqlite3 *db);
    // Removes the journal files SQLite may keep beside a database file.
    static void removeSideFiles(const QString &path);

private:
    struct TableColumn {
        QString name;
        QString declType;
    };
    QVector<TableColumn> tableColumns(const QString &table);
    QStringList schemaNames(const char *type);
    // NOCASE for every letter, or for A-Z alone as SQLite's own (a file not yet upgraded).
    void compareWithoutCase(bool everyLetter);
    bool keysFoldEveryLetter();
    QStringList foldedCollisions();
    void run(const char *sql);
    void keepSequenceAtLeast(const QString &table, qint64 number);
    void keepReservedNumbers();
    qint64 nextInRun(const QString &table);
    // The auto-number statements, prepared once per text and reset before each use.
    Statement &kept(const QString &sql);

    sqlite3 *m_db = nullptr;
    bool m_foldsEveryLetter = true;
    // Auto-numbers reserved inside the open transaction, highest per table: written again
    // when the transaction rolls back, so that they are never handed out twice.
    QHash<QString, qint64> m_reserved;
    // The number last reserved for each table in the open transaction, and the count of
    // rows this connection had changed right after.
    struct LastReserved {
        qint64 number;
        int changes;
    };
    QHash<QString, LastReserved> m_lastReserved;
    std::unordered_map<QString, std::unique_ptr<Statement>> m_kept;
};
