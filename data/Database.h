#pragma once
// The application's one connection (AppDatabase) and the operations every window uses:
// open a result set from SQL text, execute a statement, transactions.

#include "data/Engine.h"
#include "data/KeptByText.h"
#include "data/Recordset.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Database {
public:
    // Opens an existing plant file read-write, shared with other copies. Never creates a
    // file, and writes nothing to a file that is not a plant database: a missing file
    // throws 3024, a file that is no database or holds not the plant's tables 3343.
    static std::unique_ptr<Database> open(const QString &path);
    // Creates a new, empty database file (tools and tests only); fails if it exists.
    static std::unique_ptr<Database> create(const QString &path);
    // Makes a new plant file: the schema, then whatever `fill` writes. The file is built
    // under a temporary name in the same folder and appears under `path` only when
    // complete, so an interrupted build never leaves a half-made file there. Refuses an
    // existing file.
    static void build(const QString &path, const std::function<void(Database &)> &fill);

    explicit Database(std::unique_ptr<Engine> engine, QString path);
    ~Database();

    QString path() const { return m_path; }
    // What opening the file did to its text keys; a file whose keys would collide under the
    // comparison of every letter compares A-Z alone, and caseFoldingNotice() tells the
    // plant which names to rename (empty otherwise).
    const CaseFoldingOutcome &caseFolding() const { return m_caseFolding; }
    QString caseFoldingNotice() const;
    Engine &engine() { return *m_engine; }

    // A result set positioned on its first row. SELECT * FROM one table (whole, with a
    // WHERE clause, or TOP 1) gives an updatable dynaset; anything else is read-only. A
    // listing or a grid read once front to back opens it forward-only.
    std::unique_ptr<Recordset> openRecordset(const QString &sql, RecordsetType type = RecordsetType::Dynaset);
    // Performs a DELETE, UPDATE, INSERT, DROP TABLE or SELECT ... INTO at once. A table
    // made by SELECT ... INTO is made, and given the plant's text comparison, as one unit.
    void execute(const QString &sql);

    void begin();
    void commit();
    void rollback();

    // Copies the plant, as it stands at one moment, to `destination` while this and other
    // copies of the application go on saving. The copy is made under a temporary name
    // beside it and appears under its name only when whole. An existing file there is
    // refused (TableExists) unless `replace`; the plant's own file is always refused.
    void backup(const QString &destination, bool replace);
    // The engine's check of the file's structure: one text per fault, none when sound.
    QStringList integrityProblems() { return m_engine->integrityProblems(); }

    // A prepared statement of this engine's SQL, kept by its text for the next use: the
    // lookups and appends of a long run prepare each text once. A statement taken is the
    // caller's until it is given back, reset; a text in use twice at once is prepared twice.
    // The texts used longest ago are let go when many are kept (KeptByText).
    std::unique_ptr<Statement> takeStatement(const QString &nativeSql);
    void giveBack(const QString &nativeSql, std::unique_ptr<Statement> statement);
    // What the text of a result set comes to, kept by that text (its compared values
    // already bound): a lookup run ten thousand times with other IDs reads its text once.
    using SelectPlan = ::SelectPlan;
    std::shared_ptr<SelectPlan> selectPlan(const QString &jetSql);
    // Tells `observer` the text of every statement from now on, as it was given, before it
    // runs: each result set opened, with its type, and each statement executed, with none
    // (the benchmark gathers the sets a document opens so, the SQL catalogue test every
    // statement a save or document issues). An empty function stops it.
    using StatementObserver = std::function<void(const QString &jetSql, std::optional<RecordsetType> openedAs)>;
    void observeStatements(StatementObserver observer) { m_observer = std::move(observer); }
    void setOpened(const QString &jetSql, RecordsetType type) const {
        if (m_observer) m_observer(jetSql, type);
    }
    // Forgets every kept statement (after a table is made, dropped or altered).
    void forgetStatements();

private:
    // Shapes of statements kept prepared: a working day's windows, documents and saves use
    // a few hundred.
    static constexpr std::size_t kKeptStatements = 1000;
    std::unique_ptr<Engine> m_engine;
    QString m_path;
    // Declared after the engine, so the statements are finished before it closes.
    KeptByText<std::unique_ptr<Statement>> m_statements{kKeptStatements};
    KeptByText<std::shared_ptr<SelectPlan>> m_plans{kKeptStatements};
    StatementObserver m_observer;
    CaseFoldingOutcome m_caseFolding;
};

// Runs a sequence of writes as one unit: rolled back unless commit() is reached, so an
// interrupted save leaves the file as it was. Inside another transaction it joins it.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    void commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    Database &m_db;
    bool m_owner;  // false inside an enclosing transaction, which decides for both
    bool m_done = false;
};

// The run-wide connection and the path it was opened with.
Database &AppDatabase();
bool HasAppDatabase();
void SetAppDatabase(std::unique_ptr<Database> db);  // replaces (and closes) the previous one
QString DatabasePath();
