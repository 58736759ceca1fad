#pragma once
// The SQLite engine behind the data layer: one connection per plant file, WAL journal
// and a busy timeout so several copies of the application can share the file, the
// desktop engine's Like registered as like(), text compared without regard to case.

#include "data/Engine.h"

#include <QHash>

struct sqlite3;

class SqliteEngine : public Engine {
public:
    enum class OpenMode { ExistingOnly, CreateNew };
    SqliteEngine(const QString &path, OpenMode mode);
    ~SqliteEngine() override;

    QString translate(const QString &jetSql) override;
    std::unique_ptr<Statement> prepare(const QString &nativeSql) override;
    QVector<TableColumn> tableColumns(const QString &table) override;
    qint64 reserveAutoNumber(const QString &table, const QString &column) override;
    void compareTextWithoutCase(const QString &table) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;

    sqlite3 *handle() const { return m_db; }
    static QString libraryVersion();

private:
    void run(const char *sql);

    sqlite3 *m_db = nullptr;
    QHash<QString, QVector<TableColumn>> m_tableColumns;
};
