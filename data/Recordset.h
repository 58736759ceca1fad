#pragma once
// A result set as the windows use it: end/beginning flags, move next, fields by name,
// add new / edit / update on sets of one table.
//
// Rows are read when the set opens. Everything the set asks of the database goes through
// the Engine: its SQL, its row key, its quoting. Field names match without regard to case; a
// "Table.Column" name picks a column by its origin table. A null column reads as a null
// QVariant. Dates read as QDate (QDateTime where a time is kept), yes/no as bool.

#include "data/Engine.h"
#include "data/RowSet.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

class Database;

// What a set knows of its columns, resolved once per statement text and shared by every
// set opened from the same text: names, kinds, the lookup of a field by name.
struct RecordsetColumns {
    QVector<ColumnMeta> columns;
    QVector<ColumnKind> kinds;   // each column's kind, from the catalogue where it knows the column
    QHash<QString, int> exact;   // name as the statement spells it -> column
    QHash<QString, int> folded;  // lower-case name and "table.origin" -> column
    QString table;               // the one table of an updatable set, in the catalogue's spelling
    QString autoNumberColumn;    // ID column of an auto-numbered table
};

class Recordset {
public:
    Recordset(Database &db, const QString &jetSql);
    ~Recordset();

    bool eof() const { return m_pos >= m_rows.size() || m_rows.isEmpty(); }
    bool bof() const { return m_rows.isEmpty() || m_pos < 0; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    void moveNext();
    void moveFirst();
    int recordCount() const { return m_rows.size(); }

    QVariant field(const QString &name) const;
    QVariant operator[](const QString &name) const { return field(name); }
    // Text of a field: empty for null.
    QString text(const QString &name) const { return field(name).toString(); }
    bool hasField(const QString &name) const;

    bool updatable() const { return !m_shape->table.isEmpty(); }
    QString table() const { return m_shape->table; }
    void addNew();
    void edit();
    void setField(const QString &name, const QVariant &value);
    void update();
    void close();

    int fieldCount() const { return m_shape->columns.size(); }
    ColumnMeta column(int index) const { return m_shape->columns.at(index); }
    // Every row of the set (from the first), for binding to a report.
    RowSet rowSet() const;

private:
    enum class EditMode { None, Adding, Editing };
    int columnIndex(const QString &name) const;  // -1 when unknown
    int requireColumn(const QString &name) const;
    QVariant convertForRead(int column, const QVariant &raw) const;
    static std::shared_ptr<const RecordsetColumns> resolveColumns(Statement &statement, int first, const QString &table);
    void insertRow();
    void updateRow();
    void runKept(const QString &sql, const QVector<QVariant> &values);

    Database &m_db;
    QString m_sql;
    std::shared_ptr<const RecordsetColumns> m_shape;
    QVector<QVector<QVariant>> m_rows;   // raw stored values
    QVector<QVariant> m_rowKeys;         // the engine's row key of each row of an updatable set
    int m_pos = 0;
    EditMode m_mode = EditMode::None;
    QVector<QVariant> m_buffer;          // row being added or edited
    QVector<bool> m_dirty;
};
