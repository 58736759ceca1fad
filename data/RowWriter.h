#pragma once
// How every save writes a row: open the table by the row's key, add a row or edit the one
// found, set its fields, update. A save hands over the statement and what to set; the
// add-or-edit decision, the update and the close are made here, once.

#include <QString>
#include <functional>
#include <memory>

class Database;
class Recordset;

// Sets the fields of the row being written; `adding` is true for a new row.
using RowFill = std::function<void(Recordset &row, bool adding)>;

class RowWriter {
public:
    // Opens `sql`: SELECT * of one table, with the row's key in its WHERE clause where
    // one row is meant.
    RowWriter(Database &db, const QString &sql);
    ~RowWriter();
    RowWriter(const RowWriter &) = delete;
    RowWriter &operator=(const RowWriter &) = delete;

    // True when the statement found a row.
    bool found() const;
    // Appends a new row; returns its ID (0 for a table without one).
    qint64 add(const RowFill &fill);
    // Edits the row found, or appends one when none was found; returns the row's ID.
    qint64 write(const RowFill &fill);
    // Edits the row found; a missing row raises "No current record."
    qint64 edit(const RowFill &fill);

private:
    qint64 finish(bool adding, const RowFill &fill);
    std::unique_ptr<Recordset> m_rows;
};

// One row by its key: edits the row `sql` finds, or appends one; returns its ID.
qint64 WriteRow(Database &db, const QString &sql, const RowFill &fill);
// Appends one row to the table `sql` opens; returns its ID.
qint64 AppendRow(Database &db, const QString &sql, const RowFill &fill);
