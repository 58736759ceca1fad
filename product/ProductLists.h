#pragma once
// The lists of the Administration window that stand for stored rows. A list shows the
// entries it is given as they are, without copying them into items of its own, so that a
// list of thousands of components is filled at once. Styles and components are written by
// this window alone: their lists are read when the window opens and again after each of
// its saves and deletes, and kept in between, so that a click on the style tree empties
// the frames without reading thousands of rows again. Lists of rows other windows write
// (the customers) are read at every reset.

#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

class QComboBox;

// An entry of a list: the text shown and the ID it carries (none for plain lists).
struct ListEntry {
    QString text;
    QVariant id;
};
using ListEntries = QVector<ListEntry>;

// One column of every row of a query, as entries carrying no ID.
ListEntries ReadColumn(const QString &sql, const QString &column);

// Shows the entries in the list with nothing selected and an empty edit text; the
// list's handlers do not run. The list's width comes from the window's layout, not from
// its longest entry, which the layout would otherwise measure entry by entry.
void ShowEntries(QComboBox *combo, const ListEntries &entries);

class ProductLists {
public:
    // Every style as name "-" type, carrying the style's ID, in order of name.
    const ListEntries &styles();
    // Every component as ID "-" description, carrying the component's ID, in order of ID.
    const ListEntries &components();
    // Every component's ID, in order.
    const ListEntries &componentIds();

    // After a save or delete: the next use reads the rows again.
    void forget();

private:
    void readComponents();

    std::optional<ListEntries> m_styles;
    std::optional<ListEntries> m_components;
    ListEntries m_componentIds;
};
