#include "reports/RowStream.h"

#include "data/Recordset.h"

RowStream::RowStream(std::unique_ptr<Recordset> rows) : RowStream(std::move(rows), nullptr) {}

RowStream::RowStream(std::unique_ptr<Recordset> first, NextSet next) : m_next(std::move(next)) {
    const int width = first->fieldCount();
    for (int i = 0; i < width; ++i) {
        const ColumnMeta &c = first->column(i);
        m_rows.columns << RowSetColumn{c.name, c.table, c.origin, c.declType, c.kind};
    }
    for (int i = 0; i < width; ++i) {
        const RowSetColumn &c = m_rows.columns.at(i);
        bool shared = false;
        for (int j = 0; j < width; ++j) shared = shared || (j != i && m_rows.columns.at(j).name.compare(c.name, Qt::CaseInsensitive) == 0);
        m_names << (shared && !c.table.isEmpty() ? c.table + QLatin1Char('.') + c.origin : c.name);
    }
    take(std::move(first));
}

RowStream::~RowStream() = default;

// Keeps the set to read from; an empty one is passed over for the next. Without one, the
// stream has ended.
void RowStream::take(std::unique_ptr<Recordset> set) {
    while (set && set->eof()) set = m_next ? m_next() : nullptr;
    m_set = std::move(set);
    m_ended = !m_set;
}

bool RowStream::readMore(int count) {
    const int width = m_names.size();
    for (int n = 0; n < count && !m_ended; ++n) {
        if (m_set->eof()) {
            // The next set is opened only when more rows are asked for than the last held.
            if (n > 0) break;
            take(m_next ? m_next() : nullptr);
            if (m_ended) break;
        }
        QVector<QVariant> row;
        row.reserve(width);
        for (int i = 0; i < width; ++i) row << m_set->field(m_names.at(i));
        m_rows.rows << row;
        m_set->moveNext();
        if (m_set->eof() && !m_next) take(nullptr);
    }
    return !m_ended;
}

void RowStream::readAll() {
    while (readMore(1024)) {
    }
}
