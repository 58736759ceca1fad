#pragma once
// The small interface the data layer needs from a database engine. SQLite stands behind
// it today; another engine (a shared server) can be added without touching a window.

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

struct ColumnMeta {
    QString name;      // result column name
    QString table;     // origin table ("" for expressions)
    QString origin;    // origin column ("" for expressions)
    QString declType;  // declared type of the origin column, upper case ("" for expressions)
};

struct TableColumn {
    QString name;
    QString declType;  // upper case
    bool primaryKey = false;
};

class Statement {
public:
    virtual ~Statement() = default;
    virtual void bind(int index, const QVariant &value) = 0;  // 1-based
    virtual bool step() = 0;                                  // true while a row is available
    virtual int columnCount() const = 0;
    virtual ColumnMeta column(int index) const = 0;           // 0-based
    virtual QVariant value(int index) const = 0;              // raw stored value of the current row
    virtual int changes() const = 0;                          // rows changed by the last step
};

class Engine {
public:
    virtual ~Engine() = default;
    // Turns a statement of the desktop engine's dialect into this engine's SQL.
    virtual QString translate(const QString &jetSql) = 0;
    virtual std::unique_ptr<Statement> prepare(const QString &nativeSql) = 0;
    virtual QVector<TableColumn> tableColumns(const QString &table) = 0;
    // Reserves the next auto-number of a table for a row being added; the number is
    // never handed out again, even when the row is never stored.
    virtual qint64 reserveAutoNumber(const QString &table, const QString &column) = 0;
    // Gives the text columns of a table just made by SELECT ... INTO the plant's text
    // comparison (without regard to case), as the permanent tables have it.
    virtual void compareTextWithoutCase(const QString &table) = 0;
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;
};
