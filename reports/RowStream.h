#pragma once
// The rows of a report read from forward-only sets as the layout reaches them: nothing
// is read before the layout asks for it, and each row is read once, straight from the
// statement. The rows read so far stay, since a page is made again from its rows
// whenever it is drawn; the set is closed as soon as its last row is read, which lets
// go of the file's read snapshot.
//
// A stream reads one set, or several sets one after another as one (the sales report
// reads customer after customer so); every set must give the same columns.

#include "data/RowSet.h"

#include <QStringList>
#include <functional>
#include <memory>

class Recordset;

class RowStream {
public:
    // The next set to read, or nullptr when there is none.
    using NextSet = std::function<std::unique_ptr<Recordset>()>;

    // Reads the set, positioned on its first row.
    explicit RowStream(std::unique_ptr<Recordset> rows);
    // Reads the sets `next` gives in turn; `first` is the first of them (its columns are
    // the stream's).
    RowStream(std::unique_ptr<Recordset> first, NextSet next);
    ~RowStream();

    // The columns, and the rows read so far.
    const RowSet &rows() const { return m_rows; }
    bool ended() const { return m_ended; }
    // Reads up to `count` more rows, stopping early at the end of one of several sets;
    // false once every row is read.
    bool readMore(int count);
    void readAll();

private:
    void take(std::unique_ptr<Recordset> set);

    RowSet m_rows;
    QStringList m_names;  // the name each column is read by: its own, or Table.Column where two share it
    std::unique_ptr<Recordset> m_set;
    bool m_ended = false;
    NextSet m_next;
};
