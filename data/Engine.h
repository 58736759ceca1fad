#pragma once
// The interface the data layer needs from a database engine. Everything that differs
// from one engine to another sits behind it: the translation of the desktop engine's SQL,
// preparing and stepping statements, column metadata and kinds, the row key used to find
// a row again for an edit, the key of the row just inserted, quoting of names, the DDL
// made from the catalogue, auto-numbers and transactions. Database and Recordset speak
// only through it, so another engine (a shared server) or an import from desktop-database
// files can be added without touching a window or a builder.

#include "data/ColumnKind.h"
#include "data/RowStore.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

struct CatalogueTable;
struct CatalogueIndex;

struct ColumnMeta {
    QString name;      // result column name
    QString table;     // origin table ("" for expressions)
    QString origin;    // origin column ("" for expressions)
    QString declType;  // declared type of the origin column, upper case ("" for expressions)
    ColumnKind kind = ColumnKind::Other;  // what the engine knows of the column's kind
};

// One prepared statement. A statement may be stepped to its end, reset and bound again,
// so that a caller can keep it for the next use of the same text.
class Statement {
public:
    virtual ~Statement() = default;
    virtual void bind(int index, const QVariant &value) = 0;  // 1-based
    virtual bool step() = 0;                                  // true while a row is available
    virtual void reset() = 0;                                 // back to before the first step, bindings cleared
    virtual int columnCount() const = 0;
    virtual ColumnMeta column(int index) const = 0;           // 0-based
    virtual QVariant value(int index) const = 0;              // raw stored value of the current row
    // Copies the current row's columns from `first` on into `rows`, as one row.
    void appendRowTo(RowStore &rows, int first) const {
        const int count = columnCount();
        for (int i = first; i < count; ++i) rows.appendCell(cell(i));
        rows.endRow();
    }
    // A column of the current row as the store keeps it; a text's bytes stay where they lie
    // until the next step. An engine reads its own bytes; this one goes through value().
    virtual RowStore::Cell cell(int index) const {
        m_scratch = RowStore(1);
        m_scratch.appendValue(value(index));
        m_scratch.endRow();
        return m_scratch.cell(0, 0);
    }
    virtual int changes() const = 0;                          // rows changed by the last step

private:
    mutable RowStore m_scratch;
};

// What bringing a file's text keys to the comparison of every letter did
// (Engine::foldCaseOfEveryLetter).
struct CaseFoldingOutcome {
    bool rebuilt = false;    // the file's text keys were ordered anew just now
    // Keys of a unique index that would become one name, one line each ("Customer:
    // Müller | MÜLLER"); the file was left as it was and compares A-Z alone meanwhile.
    QStringList collisions;
};

class Engine {
public:
    virtual ~Engine() = default;

    // Turns one statement of the desktop engine's dialect into this engine's SQL.
    virtual QString translate(const QString &jetSql) = 0;
    // Prepares exactly one statement of this engine's SQL; text after it other than
    // blanks, comments and semicolons is refused.
    virtual std::unique_ptr<Statement> prepare(const QString &nativeSql) = 0;

    // A name (table or column) quoted for this engine's SQL.
    virtual QString quoteName(const QString &name) const = 0;
    // The expression that names a row of a table for as long as the row lives, selected
    // beside the columns of an updatable set and used to find the row again for an edit.
    virtual QString rowKeyExpression() const = 0;
    // The row key of the row the last INSERT of this connection stored.
    virtual QVariant lastInsertedRowKey() = 0;

    // The tables the file holds (permanent and temporary), as the engine names them.
    virtual QStringList tableNames() = 0;
    // The indexes the file holds, as the engine names them.
    virtual QStringList indexNames() = 0;
    // The statements that create a table of the catalogue, and an index, in this engine.
    virtual QStringList createTable(const CatalogueTable &table) const = 0;
    // (The index is plain SQL every engine reads; its names quoted by quoteName().)
    virtual QString createIndex(const CatalogueIndex &index) const;

    // Reserves the next auto-number of a table for a row being added. A number once
    // handed out is never handed out again, by this or any other connection: not when
    // the row is never stored, and not when the transaction that reserved it rolls back.
    // (Numbers an engine gives by itself to rows inserted by plain SQL in a transaction
    // that rolls back were never shown to anyone, and may come again.)
    virtual qint64 reserveAutoNumber(const QString &table, const QString &column) = 0;
    // Makes the auto-number of a table hand out numbers past `highest` from now on (rows
    // brought in with their keys, as an import writes them). Runs inside the caller's
    // transaction; never lowers the counter.
    virtual void keepAutoNumberPast(const QString &table, const QString &column, qint64 highest) = 0;
    // Gives the text columns of a table just made by SELECT ... INTO the plant's text
    // comparison (without regard to case), as the permanent tables have it. Runs inside
    // the caller's transaction.
    virtual void compareTextWithoutCase(const QString &table) = 0;
    // Text is compared without regard to case for every letter, not only A-Z. A file whose
    // text keys were ordered by an earlier build (A-Z alone) has them ordered anew, once,
    // inside a transaction (the caller's, when one is open), and the file records it. When
    // rows of a unique key would become equal, nothing is changed, the collisions are
    // returned and this connection goes on comparing A-Z alone, so that nothing is lost.
    // An engine that compares every letter by itself has nothing to do.
    virtual CaseFoldingOutcome foldCaseOfEveryLetter() { return {}; }

    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;

    // The engine and its version, as the About box names them ("SQLite 3.40.1",
    // "PostgreSQL 15.20" for the server the plant is on).
    virtual QString versionText() const = 0;

    // Writes the whole file, as it stood at one moment, into a new file at `path` (which
    // must not exist), while other connections go on reading and writing.
    virtual void backupTo(const QString &path) = 0;
    // The engine's own check of the file's structure: one text per fault, none when sound.
    virtual QStringList integrityProblems() = 0;
};

// What the clerk is told when another PC holds the records a save needs for longer than
// the engine waits: nothing was written, and trying again will do.
inline QString RecordsBusyText() {
    return QStringLiteral("The plant's records are busy: another PC is saving the same records. "
                          "Nothing was saved; try again in a moment.");
}

// How a plant file is opened: only read (nothing is written, no journal changed),
// read and written, or created new (refused when the file exists).
enum class EngineAccess { ReadOnly, ReadWrite, CreateNew };

// Opens the engine that keeps the plant at `path`: a PostgreSQL server when the path is a
// connection string (postgresql://user@host/plant, or "host=... dbname=..."), otherwise a
// SQLite file. On a server, CreateNew means a database that holds no plant yet.
std::unique_ptr<Engine> OpenEngine(const QString &path, EngineAccess access);
// True when `path` names a server rather than a file.
bool IsServerAddress(const QString &path);
// True when a server's address carries a password (config.txt must never hold one).
bool AddressHoldsPassword(const QString &path);
// Removes a plant file together with the journal files the engine keeps beside it.
void RemovePlantFile(const QString &path);
