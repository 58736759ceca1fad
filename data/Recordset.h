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

class Database;

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

    bool updatable() const { return !m_table.isEmpty(); }
    QString table() const { return m_table; }
    void addNew();
    void edit();
    void setField(const QString &name, const QVariant &value);
    void update();
    void close();

    int fieldCount() const { return m_columns.size(); }
    ColumnMeta column(int index) const { return m_columns.at(index); }
    // Every row of the set (from the first), for binding to a report.
    RowSet rowSet() const;

private:
    enum class EditMode { None, Adding, Editing };
    int columnIndex(const QString &name) const;  // -1 when unknown
    int requireColumn(const QString &name) const;
    QVariant convertForRead(int column, const QVariant &raw) const;
    void resolveKinds();
    void insertRow();
    void updateRow();

    Database &m_db;
    QString m_sql;
    QString m_table;                     // the one table of an updatable set
    QVector<ColumnMeta> m_columns;
    QVector<ColumnKind> m_kinds;         // each column's kind, from the catalogue where it knows the column
    QVector<QVector<QVariant>> m_rows;   // raw stored values
    QVector<QVariant> m_rowKeys;         // the engine's row key of each row of an updatable set
    int m_pos = 0;
    EditMode m_mode = EditMode::None;
    QVector<QVariant> m_buffer;          // row being added or edited
    QVector<bool> m_dirty;
    QString m_autoNumberColumn;          // ID column of an auto-numbered table
    QHash<QString, int> m_index;         // lower-case name -> column
};
