#include "widgets/FetchedRows.h"

#include "core/Handler.h"
#include "data/Recordset.h"

#include <QTimer>
#include <algorithm>
#include <stdexcept>

FetchedRows::FetchedRows(QVector<qint64> keys, Fetch fetch) : m_keys(std::move(keys)), m_fetch(std::move(fetch)) {}

QStringList FetchedRows::row(int index) const {
    const Block &held = block(index);
    return held.rows.value(index - held.first);
}

QStringList FetchedRows::shownRow(int index) const {
    try {
        return row(index);
    } catch (const AppError &e) {
        QTimer::singleShot(0, [e] { ReportFailure(e); });
    } catch (const std::exception &e) {
        QTimer::singleShot(0, [message = QString::fromLocal8Bit(e.what())] { ReportFailure(std::runtime_error(message.toStdString())); });
    }
    return QStringList();
}

// The block holding the row, read in place of the least recently used one when all the
// blocks that may be held are.
const FetchedRows::Block &FetchedRows::block(int index) const {
    const int first = index - index % kBlockRows;
    for (Block &held : m_blocks) {
        if (held.first != first) continue;
        held.used = ++m_clock;
        return held;
    }
    const int count = std::min(kBlockRows, int(m_keys.size()) - first);
    const QVector<qint64> keys = m_keys.mid(first, count);
    Block *slot = nullptr;
    if (int(m_blocks.size()) < kHeldBlocks) {
        slot = &m_blocks.emplace_back();
    } else {
        slot = &*std::min_element(m_blocks.begin(), m_blocks.end(),
                                  [](const Block &a, const Block &b) { return a.used < b.used; });
    }
    // A block that fails to read is held empty, so that its failure is reported once.
    *slot = Block{first, QList<QStringList>(count), ++m_clock};
    const QHash<qint64, QStringList> cells = m_fetch(keys);
    for (int i = 0; i < count; ++i) slot->rows[i] = cells.value(keys.at(i));
    if (m_onRead) m_onRead(first, slot->rows);
    return *slot;
}

QVector<qint64> ReadKeys(std::unique_ptr<Recordset> rows, const QString &keyColumn) {
    QVector<qint64> keys;
    for (; !rows->eof(); rows->moveNext()) keys.append(rows->field(keyColumn).toLongLong());
    rows->close();
    return keys;
}

QHash<qint64, QStringList> CellsByKey(std::unique_ptr<Recordset> rows, const QString &keyColumn,
                                      const std::function<QStringList(const Recordset &)> &cells) {
    QHash<qint64, QStringList> byKey;
    for (; !rows->eof(); rows->moveNext()) byKey.insert(rows->field(keyColumn).toLongLong(), cells(*rows));
    rows->close();
    return byKey;
}
