#include "data/RowSet.h"

int RowSet::indexOf(const QString &name) const {
    const int dot = name.indexOf(QLatin1Char('.'));
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0) return i;
    if (dot > 0) {
        const QString table = name.left(dot);
        const QString column = name.mid(dot + 1);
        for (int i = 0; i < columns.size(); ++i)
            if (columns.at(i).table.compare(table, Qt::CaseInsensitive) == 0 &&
                columns.at(i).origin.compare(column, Qt::CaseInsensitive) == 0)
                return i;
    }
    return -1;
}

QVariant RowSet::value(int row, const QString &name) const {
    const int column = indexOf(name);
    if (column < 0 || row < 0 || row >= rows.size()) return QVariant();
    return rows.at(row).at(column);
}
