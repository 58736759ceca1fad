#pragma once
// A result set as the windows use it: end/beginning flags, move next, fields by name,
// add new / edit / update on sets of one table.
//
// A dynaset reads all its rows into a compact store the first time it is asked for one (a set
// opened only to add rows reads none); a field becomes a value when it is read. Its rows are
// those of the file when it was first read, with the rows it added after them. A
// forward-only set reads each row as it reaches it, for a listing or a grid
// read once front to back: nothing is copied, it cannot go back, and it is read-only. It
// keeps the file's read snapshot until it reaches its end or closes, so nothing is written
// while one is open. Everything the set asks of the database goes through
// the Engine: its SQL, its row key, its quoting. Field names match without regard to case; a
// "Table.Column" name picks a column by its origin table. A null column reads as a null
// QVariant. Dates read as QDate (QDateTime where a time is kept), yes/no as bool.

#include "core/Values.h"
#include "data/Engine.h"
#include "data/RowSet.h"
#include "data/RowStore.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

class Database;

enum class RecordsetType { Dynaset, ForwardOnly };

// What a set knows of its columns, resolved once per statement text and shared by every
// set opened from the same text: names, kinds, the lookup of a field by name.
struct RecordsetColumns {
    QVector<ColumnMeta> columns;
    QVector<ColumnKind> kinds;   // each column's kind, from the catalogue where it knows the column
    QHash<QString, int> exact;   // name as the statement spells it -> column
    QHash<QString, int> folded;  // lower-case name and "table.origin" -> column
    QString table;               // the one table of an updatable set, in the catalogue's spelling
    QString autoNumberColumn;    // ID column of an auto-numbered table
    // The names fields were read by, with their columns, in the order first read: a loop
    // reading the same names row after row, or set after set, finds each by comparing where
    // its characters lie, without hashing it. A kept copy of each name holds its
    // characters, so another name cannot come to lie at the same place.
    struct ReadName {
        QString name;
        int column = -1;
    };
    mutable std::vector<ReadName> readNames;
};

// What the text of a result set comes to, kept by the database by that text.
struct SelectPlan {
    QString native;                                   // the engine's SQL, row key selected first where updatable
    QString updatableTable;                           // "" for a read-only set
    std::shared_ptr<const RecordsetColumns> columns;  // resolved by the first set opened
    std::unique_ptr<Statement> spare;                 // prepared and reset, for the next set
};

class Recordset {
public:
    Recordset(Database &db, const QString &jetSql, RecordsetType type = RecordsetType::Dynaset);
    ~Recordset();

    bool eof() const { return m_forwardOnly ? m_atEnd : m_pos >= rows().rowCount(); }
    bool bof() const { return isEmpty() || m_pos < 0; }
    bool isEmpty() const { return m_forwardOnly ? m_atEnd && m_pos == 0 : rows().rowCount() == 0; }
    void moveNext();
    // A forward-only set that has left its first row cannot go back to it.
    void moveFirst();
    // A forward-only set counts the rows it has reached.
    int recordCount() const { return m_forwardOnly ? m_pos + (m_atEnd ? 0 : 1) : rows().rowCount(); }

    QVariant field(const QString &name) const;
    QVariant operator[](const QString &name) const { return field(name); }
    // Text of a field: empty for null.
    QString text(const QString &name) const { return field(name).toString(); }
    bool hasField(const QString &name) const;

    bool updatable() const { return !m_shape->table.isEmpty() && !m_forwardOnly; }
    QString table() const { return m_shape->table; }
    void addNew();
    void edit();
    void setField(const QString &name, const QVariant &value);
    // As above, for a number read from what the clerk typed: a value the column cannot
    // hold is reported with the text as typed.
    void setField(const QString &name, const Values::TypedNumber &number);
    void update();
    void close();

    int fieldCount() const { return m_shape->columns.size(); }
    const ColumnMeta &column(int index) const { return m_shape->columns.at(index); }
    // Every row of the set (from the first; a forward-only set's from its current row, which
    // leaves it at its end), for binding to a report.
    RowSet rowSet();

private:
    enum class EditMode { None, Adding, Editing };
    int columnIndex(const QString &name) const;  // -1 when unknown
    int requireColumn(const QString &name) const;
    QVariant convertForRead(int column, const QVariant &raw) const;
    RowStore::Cell currentCell(int column) const;
    QVariant readCell(int column, const RowStore::Cell &cell) const;
    QVariant textOf(int column, const RowStore::Cell &cell) const;
    struct ReadText;
    static bool readText(ColumnKind kind, const RowStore::Cell &cell, ReadText &read);
    static QVariant handOut(const ReadText &read);
    void step();
    void releaseCursor();
    const RowStore &rows() const {
        if (m_unread) readRows();
        return m_rows;
    }
    void readRows() const;
    void releaseUnread();
    int lookUpColumn(const QString &name) const;
    QString insertStatement();
    static std::shared_ptr<const RecordsetColumns> resolveColumns(Statement &statement, int first, const QString &table);
    void insertRow();
    void updateRow();
    void runKept(const QString &sql, const QVector<QVariant> &values);

    Database &m_db;
    std::shared_ptr<const RecordsetColumns> m_shape;
    // A dynaset's stored values, an updatable set's row key first, read from its prepared
    // statement the first time a row is asked for (rows() and readRows()).
    mutable RowStore m_rows;
    mutable std::unique_ptr<Statement> m_unread;
    int m_keyColumns = 0;                // 1 where the row key leads each row, else 0
    int m_pos = 0;                       // the current row; a forward-only set's rows passed
    // A forward-only set's statement, stepped to its current row until the set reaches its
    // end, and the plan it then goes back to.
    bool m_forwardOnly = false;
    bool m_atEnd = false;
    std::shared_ptr<SelectPlan> m_plan;
    std::unique_ptr<Statement> m_cursor;
    EditMode m_mode = EditMode::None;
    QVector<QVariant> m_buffer;          // row being added or edited
    QVector<bool> m_dirty;

    // Where the next name read is expected among the names the sets of this text were read
    // by (RecordsetColumns::readNames).
    mutable std::size_t m_nextName = 0;
    // The values last read from each column's texts, by where the texts lie in the store.
    // A forward-only set's texts lie in the statement only until its next step, so short ones
    // are kept here to be compared by their bytes.
    struct ReadText {
        const char *at = nullptr;
        quint32 size = 0;
        enum Kind : std::uint8_t { Text, Day, When } kind = Text;
        bool filled = false;
        char kept[32];
        QString text;
        QDate day;
        QDateTime when;
    };
    struct ReadTexts {
        ReadText recent[4];
        int next = 0;
        int misses = 0;  // reads in a row not among the recent ones
    };
    static constexpr int kMissesBeforeGivingUp = 64;
    mutable std::vector<ReadTexts> m_readTexts;
    // The INSERT of the last row added, and which columns it wrote.
    QVector<bool> m_insertColumns;
    QString m_insertSql;
};

// The value a column of the given kind stores for `value`, converted as a field write
// converts it (dates to the stored date text, yes/no to 1 or 0, money rounded to 4
// decimals); a value the column cannot hold raises "Data type conversion error" naming
// `column`. An import writes its rows in the same form as the windows do.
QVariant StoredValue(ColumnKind kind, const QString &column, const QVariant &value);
