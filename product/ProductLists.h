#pragma once
// The lists of the Administration window that stand for stored rows. Every reset of the
// window reads them afresh, but a list whose rows have not changed keeps its entries:
// refilling lists of thousands of styles and customers on each click of the style tree
// cost more than everything else the click does.

#include <QString>
#include <QVariant>
#include <QVector>

class QComboBox;

// An entry of a list: the text shown and the ID it carries (none for plain lists).
struct ListEntry {
    QString text;
    QVariant id;
};
using ListEntries = QVector<ListEntry>;

// One column of every row of a query, as entries carrying no ID.
ListEntries ReadColumn(const QString &sql, const QString &column);
// Every style as name "-" type, carrying the style's ID, in order of name.
ListEntries ReadStyles();
// Every component as ID "-" description, carrying the component's ID, in order of ID.
ListEntries ReadComponents();

// Shows the entries with nothing selected and an empty edit text; the list's handlers do
// not run. The list is refilled only when it holds other entries than these.
void ShowEntries(QComboBox *combo, const ListEntries &entries);
