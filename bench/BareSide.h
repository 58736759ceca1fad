#pragma once
// The bare side of quelby-databench: the database's own C API, with nothing of Quelby's
// data layer between, for the plant's file (SQLite) or its server (libpq). A statement is
// prepared once, in the SQL the data layer's engine translates it to, and run to its end
// with every column read, so that the two sides differ only in the data layer's own cost.

#include <QByteArray>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <memory>
#include <optional>

// How the bare reading takes each column: as the library hands it out; with each text made
// into a QString (numbers read as numbers), as any Qt program reading it must; or with every
// column made into the QVariant a Qt program passes values around in. The last two are
// floors for a data layer that hands out Qt values.
enum class BareReading { Pointers, Strings, Variants };

class BareStatement {
public:
    virtual ~BareStatement() = default;
    // Runs the statement with these values for its markers to its end, reading every
    // column of every row; returns how many values were not empty.
    virtual qint64 run(BareReading reading, const QVariantList &values = {}) = 0;
};

class BareConnection {
public:
    virtual ~BareConnection() = default;
    // The library the bare side uses, for the table's heading.
    virtual const char *library() const = 0;
    // A statement of the engine's SQL, its markers written '?'; exits on an error.
    virtual std::unique_ptr<BareStatement> prepare(const QByteArray &nativeSql) = 0;
    virtual void begin() = 0;
    virtual void rollback() = 0;
    // Makes the scratch tables a document's builder made through the data layer, where the
    // bare connection cannot see the data layer's own (on the server they are private to
    // each connection); the statements are the engine's CREATE statements.
    virtual void makeScratchTables(const QVector<QByteArray> &creates) = 0;
    // The tables the statement reads whole, without an index, as the database plans it;
    // nullopt where the plan is not looked at.
    virtual std::optional<QStringList> fullScans(const QByteArray &nativeSql) = 0;
};

// A connection configured as the data layer's own for the plant's file.
std::unique_ptr<BareConnection> OpenBareSqlite(const QByteArray &path);
// A connection to the plant's server, by the same connection string.
std::unique_ptr<BareConnection> OpenBarePostgres(const QByteArray &address);
