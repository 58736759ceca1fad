#include "product/ProductLists.h"

#include "data/Database.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QSignalBlocker>

namespace {

// The entries of a list, shared with whoever read them: showing another reading replaces
// them in one step.
class EntryModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(const ListEntries &entries) {
        beginResetModel();
        m_entries = entries;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(m_entries.size());
    }

    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || index.row() >= m_entries.size()) return QVariant();
        const ListEntry &entry = m_entries.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return entry.text;
        case Qt::UserRole: return entry.id;
        default: return QVariant();
        }
    }

    // Emptying the list (QComboBox::clear) removes every entry.
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override {
        if (parent.isValid() || row < 0 || count <= 0 || row + count > m_entries.size()) return false;
        beginRemoveRows(parent, row, row + count - 1);
        m_entries.remove(row, count);
        endRemoveRows();
        return true;
    }

private:
    ListEntries m_entries;
};

EntryModel *ModelOf(QComboBox *combo) {
    if (auto *model = dynamic_cast<EntryModel *>(combo->model())) return model;
    auto *model = new EntryModel(combo);
    combo->setModel(model);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
    return model;
}

}  // namespace

ListEntries ReadColumn(const QString &sql, const QString &column) {
    ListEntries entries;
    auto rs = AppDatabase().openRecordset(sql, RecordsetType::ForwardOnly);
    for (; !rs->eof(); rs->moveNext()) entries.append({rs->text(column), QVariant()});
    rs->close();
    return entries;
}

void ShowEntries(QComboBox *combo, const ListEntries &entries) {
    const QSignalBlocker blocker(combo);
    ModelOf(combo)->setEntries(entries);
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
}

const ListEntries &ProductLists::styles() {
    if (!m_styles) {
        ListEntries styles;
        auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT ID, Name, Type FROM Style ORDER BY Name"), RecordsetType::ForwardOnly);
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
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT ID, Description FROM Component ORDER BY ID"), RecordsetType::ForwardOnly);
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
