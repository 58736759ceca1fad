#include "product/ProductLists.h"

#include "data/Database.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace {

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

void Unselect(QComboBox *combo) {
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
}

// The same list, not merely equal entries: read by the same reading.
bool SameReading(const ListEntries &a, const ListEntries &b) {
    return a.size() == b.size() && a.constData() == b.constData();
}

}  // namespace

ListEntries ReadColumn(const QString &sql, const QString &column) {
    ListEntries entries;
    auto rs = AppDatabase().openRecordset(sql);
    entries.reserve(rs->recordCount());
    for (; !rs->eof(); rs->moveNext()) entries.append({rs->text(column), QVariant()});
    rs->close();
    return entries;
}

void ShowEntries(QComboBox *combo, const ListEntries &entries) {
    const QSignalBlocker blocker(combo);
    if (!Holds(combo, entries)) Refill(combo, entries);
    Unselect(combo);
}

void SizeByLayout(QComboBox *combo) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
}

const ListEntries &ProductLists::styles() {
    if (!m_styles) {
        ListEntries styles;
        auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT ID, Name, Type FROM Style ORDER BY Name"));
        styles.reserve(rs->recordCount());
        for (; !rs->eof(); rs->moveNext())
            styles.append({rs->text(QStringLiteral("Name")) + QLatin1Char('-') + rs->text(QStringLiteral("Type")),
                           rs->field(QStringLiteral("ID"))});
        rs->close();
        m_styles = std::move(styles);
    }
    return *m_styles;
}

const ListEntries &ProductLists::components() {
    if (!m_components) readComponents();
    return *m_components;
}

const ListEntries &ProductLists::componentIds() {
    if (!m_components) readComponents();
    return m_componentIds;
}

// One reading serves both lists: the IDs come in the same order.
void ProductLists::readComponents() {
    ListEntries components, ids;
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT ID, Description FROM Component ORDER BY ID"));
    components.reserve(rs->recordCount());
    ids.reserve(rs->recordCount());
    for (; !rs->eof(); rs->moveNext()) {
        const QString id = rs->text(QStringLiteral("ID"));
        components.append({id + QLatin1Char('-') + rs->text(QStringLiteral("Description")), rs->field(QStringLiteral("ID"))});
        ids.append({id, QVariant()});
    }
    rs->close();
    m_components = std::move(components);
    m_componentIds = std::move(ids);
}

void ProductLists::forget() {
    m_styles.reset();
    m_components.reset();
    m_componentIds.clear();
}

void ProductLists::show(QComboBox *combo, const ListEntries &entries) {
    ListEntries &shown = m_shown[combo];
    if (SameReading(shown, entries)) {
        const QSignalBlocker blocker(combo);
        Unselect(combo);
        return;
    }
    ShowEntries(combo, entries);
    shown = entries;
}
