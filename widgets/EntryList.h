#pragma once
// Drop-down lists that stand for stored rows: a list shows the entries it is given as they
// are, without copying them into items of its own, and takes its width from the window's
// layout rather than measuring every entry, so that a list of thousands of customers,
// components or orders is filled and shown at once.

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class FetchedRows;
class QComboBox;
class Recordset;

// An entry of a list: the text shown and the ID it carries (none for plain lists).
struct ListEntry {
    QString text;
    QVariant id;
};
using ListEntries = QVector<ListEntry>;

// One column of every row a store's list holds, as entries carrying no ID; the list is closed.
ListEntries ReadColumn(std::unique_ptr<Recordset> rows, const QString &column);

// Shows the entries in the list with nothing selected and an empty edit text; the list's
// handlers do not run. The list is at least `shownCharacters` characters wide.
void ShowEntries(QComboBox *combo, const ListEntries &entries, int shownCharacters = 12);

// A list of every row of a large table (every order, every invoice): the entries are the
// fetched rows, each one's text its first cell and its ID its key, read in blocks as the
// list shows them. `findPrefix` gives the index of the first entry whose text begins with a
// prefix, whatever the case, or -1, without reading every entry (the type-ahead asks it).
// Shown as ShowEntries shows its entries.
void ShowFetchedEntries(QComboBox *combo, std::unique_ptr<FetchedRows> rows,
                        std::function<int(const QString &prefix)> findPrefix, int shownCharacters = 12);
// A list whose entries are numbers standing for themselves (invoice numbers), in the
// order given; each entry carries its number as its ID.
void ShowNumberEntries(QComboBox *combo, QVector<qint64> numbers, int shownCharacters = 12);

// The first entry of the list whose text begins with `prefix`, without regard to case;
// -1 when none does.
int FirstEntryWithPrefix(const QComboBox *combo, const QString &prefix);
