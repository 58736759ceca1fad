#pragma once
// The lists of the Administration window that stand for stored rows. Styles and
// components are written by this window alone: their lists are read when the window opens
// and again after each of its saves and deletes, and kept in between, so that a click on
// the style tree empties the frames without reading thousands of rows again. Lists of rows
// other windows write (the customers) are read at every reset.

#include "widgets/EntryList.h"

#include <optional>

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
