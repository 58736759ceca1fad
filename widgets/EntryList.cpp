#include "widgets/EntryList.h"

#include "data/Recordset.h"

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
    return model;
}

}  // namespace

ListEntries ReadColumn(std::unique_ptr<Recordset> rows, const QString &column) {
    ListEntries entries;
    for (; !rows->eof(); rows->moveNext()) entries.append({rows->text(column), QVariant()});
    rows->close();
    return entries;
}

void ShowEntries(QComboBox *combo, const ListEntries &entries, int shownCharacters) {
    const QSignalBlocker blocker(combo);
    ModelOf(combo)->setEntries(entries);
    combo->setMinimumContentsLength(shownCharacters);
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
}

