#pragma once
// The rows of a long list read as they come into view. A search is run once for the keys
// of its rows in their order (a few bytes a row); the cells of a row are read with those
// of the block of keys around it when it is first asked for, and only the last few blocks
// asked for are held. A grid or a drop-down list of every order of a large plant so opens
// at once and holds the same memory whatever the number of orders; it shows the rows in
// the order of the keys, which is the order of the search.
//
// A block is read and closed at once, so no statement stays open while the window saves.
// A row whose key is no longer found when its block is read shows empty cells.

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

class Recordset;

class FetchedRows {
public:
    // The cells of the rows of these keys, by key, read in one statement.
    using Fetch = std::function<QHash<qint64, QStringList>(const QVector<qint64> &keys)>;

    static constexpr int kBlockRows = 128;
    static constexpr int kHeldBlocks = 8;

    FetchedRows(QVector<qint64> keys, Fetch fetch);

    int count() const { return int(m_keys.size()); }
    qint64 key(int index) const { return m_keys.at(index); }
    // The index of the first row with this key, or -1.
    int indexOf(qint64 key) const { return int(m_keys.indexOf(key)); }
    // The cells of a row (0 is the first), reading its block when it is not held.
    QStringList row(int index) const;
    // As row(), for a view painting the row: a block that cannot be read shows empty
    // cells, and the failure is reported once the paint is over.
    QStringList shownRow(int index) const;
    // Runs after a block has been read, with the index of its first row and its rows.
    void setOnRead(std::function<void(int first, const QList<QStringList> &rows)> onRead) {
        m_onRead = std::move(onRead);
    }

private:
    struct Block {
        int first = 0;
        QList<QStringList> rows;
        quint64 used = 0;
    };
    const Block &block(int index) const;

    QVector<qint64> m_keys;
    Fetch m_fetch;
    std::function<void(int, const QList<QStringList> &)> m_onRead;
    mutable std::vector<Block> m_blocks;
    mutable quint64 m_clock = 0;
};

// The keys of every row of the set, from its column `keyColumn`, in the set's order; the
// set is closed.
QVector<qint64> ReadKeys(std::unique_ptr<Recordset> rows, const QString &keyColumn);

// The cells `cells` makes of each row of the set, by the row's `keyColumn`; the set is
// closed. A block's statement returns its rows in any order.
QHash<qint64, QStringList> CellsByKey(std::unique_ptr<Recordset> rows, const QString &keyColumn,
                                      const std::function<QStringList(const Recordset &)> &cells);
