#pragma once
// Drop-down lists that stand for stored rows: a list shows the entries it is given as they
// are, without copying them into items of its own, and takes its width from the window's
// layout rather than measuring every entry, so that a list of thousands of customers,
// components or orders is filled and shown at once.

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

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
