#include "product/ProductLists.h"

#include "data/Database.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace {

// One entry made from each row of a query.
template <class MakeEntry>
ListEntries ReadEntries(const QString &sql, MakeEntry makeEntry) {
    ListEntries entries;
    auto rs = AppDatabase().openRecordset(sql);
    entries.reserve(rs->recordCount());
    for (; !rs->eof(); rs->moveNext()) entries.append(makeEntry(*rs));
    rs->close();
    return entries;
}

bool Holds(const QComboBox *combo, const ListEntries &entries) {
    if (combo->count() != entries.size()) return false;
    for (int i = 0; i < entries.size(); ++i)
        if (combo->itemText(i) != entries.at(i).text || combo->itemData(i) != entries.at(i).id) return false;
    return true;
}

// The entries go in as one insertion, so the list and its view are told once.
void Refill(QComboBox *combo, const ListEntries &entries) {
    combo->clear();
    auto *model = qobject_cast<QStandardItemModel *>(combo->model());
    if (!model) {
        for (const ListEntry &entry : entries) combo->addItem(entry.text, entry.id);
        return;
    }
    QList<QStandardItem *> items;
    items.reserve(entries.size());
    for (const ListEntry &entry : entries) {
        auto *item = new QStandardItem(entry.text);
        if (entry.id.isValid()) item->setData(entry.id, Qt::UserRole);
        items.append(item);
    }
    model->invisibleRootItem()->appendRows(items);
}

}  // namespace

ListEntries ReadColumn(const QString &sql, const QString &column) {
    return ReadEntries(sql, [&column](const Recordset &rs) { return ListEntry{rs.text(column), QVariant()}; });
}

ListEntries ReadStyles() {
    return ReadEntries(QStringLiteral("SELECT ID, Name, Type FROM Style ORDER BY Name"), [](const Recordset &rs) {
        return ListEntry{rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type")),
                         rs.field(QStringLiteral("ID"))};
    });
}

ListEntries ReadComponents() {
    return ReadEntries(QStringLiteral("SELECT ID, Description FROM Component ORDER BY ID"), [](const Recordset &rs) {
        return ListEntry{rs.text(QStringLiteral("ID")) + QLatin1Char('-') + rs.text(QStringLiteral("Description")),
                         rs.field(QStringLiteral("ID"))};
    });
}

void ShowEntries(QComboBox *combo, const ListEntries &entries) {
    const QSignalBlocker blocker(combo);
    if (!Holds(combo, entries)) Refill(combo, entries);
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
}
