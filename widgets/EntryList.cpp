#include "widgets/EntryList.h"

#include "core/Handler.h"
#include "data/Recordset.h"
#include "widgets/FetchedRows.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QListView>
#include <QPointer>
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

// Entries read as the list shows them (FetchedRows), with the search of a prefix that
// does not read them all.
class FetchedEntryModel : public QAbstractListModel {
public:
    FetchedEntryModel(QObject *parent, std::unique_ptr<FetchedRows> rows, std::function<int(const QString &)> findPrefix)
        : QAbstractListModel(parent), m_rows(std::move(rows)), m_findPrefix(std::move(findPrefix)) {}

    int rowCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() || !m_rows ? 0 : m_rows->count();
    }

    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return QVariant();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return m_rows->shownRow(index.row()).value(0);
        case Qt::UserRole: return m_rows->key(index.row());
        default: return QVariant();
        }
    }

    // Emptying the list (QComboBox::clear) drops every entry.
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override {
        if (parent.isValid() || row != 0 || count != rowCount()) return false;
        beginResetModel();
        m_rows.reset();
        endResetModel();
        return true;
    }

    int findPrefix(const QString &prefix) const { return m_rows ? m_findPrefix(prefix) : -1; }

private:
    std::unique_ptr<FetchedRows> m_rows;
    std::function<int(const QString &)> m_findPrefix;
};

void ShowModel(QComboBox *combo, QAbstractItemModel *model, int shownCharacters) {
    // The list's earlier model goes, unless the combo has deleted it already.
    const QPointer<QAbstractItemModel> old = combo->model();
    combo->setModel(model);
    if (old && old->parent() == combo) old->deleteLater();
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The open list lays out the rows it shows, not every row.
    if (auto *list = qobject_cast<QListView *>(combo->view())) list->setUniformItemSizes(true);
    combo->setMinimumContentsLength(shownCharacters);
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
}

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


void ShowFetchedEntries(QComboBox *combo, std::unique_ptr<FetchedRows> rows,
                        std::function<int(const QString &prefix)> findPrefix, int shownCharacters) {
    const QSignalBlocker blocker(combo);
    ShowModel(combo, new FetchedEntryModel(combo, std::move(rows), std::move(findPrefix)), shownCharacters);
}

void ShowNumberEntries(QComboBox *combo, QVector<qint64> numbers, int shownCharacters) {
    auto texts = [](const QVector<qint64> &block) {
        QHash<qint64, QStringList> byNumber;
        for (qint64 number : block) byNumber.insert(number, {QString::number(number)});
        return byNumber;
    };
    auto rows = std::make_unique<FetchedRows>(numbers, texts);
    auto findPrefix = [numbers](const QString &prefix) {
        for (int i = 0; i < numbers.size(); ++i)
            if (QString::number(numbers.at(i)).startsWith(prefix, Qt::CaseInsensitive)) return i;
        return -1;
    };
    ShowFetchedEntries(combo, std::move(rows), findPrefix, shownCharacters);
}

int FirstEntryWithPrefix(const QComboBox *combo, const QString &prefix) {
    if (auto *fetched = dynamic_cast<const FetchedEntryModel *>(combo->model())) {
        // The search reads the store: a failure is reported and finds nothing.
        int found = -1;
        handler([&] { found = fetched->findPrefix(prefix); })();
        return found;
    }
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).startsWith(prefix, Qt::CaseInsensitive)) return i;
    return -1;
}
