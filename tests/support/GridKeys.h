#pragma once
// Working a Grid in tests as a clerk does: moving to a cell, typing into it and ending
// the edit with Enter, double-clicking a row, reading a row's texts.

#include "widgets/Grid.h"

#include <QStringList>

namespace GridKeys {

// Makes the cell current, types the text (the first key starts the edit) and presses
// Enter in the editor, unless `enter` is false and the cell is left open; an edit the
// grid refuses leaves the keys unused.
void typeInCell(Grid *grid, int row, int col, const QString &text, bool enter = true);
// Double-clicks a data row, or the header row for row 0.
void doubleClick(Grid *grid, int row);
// Moves to a data row with the Down and Up keys, from the current row.
void moveTo(Grid *grid, int row);
// The cell texts of a row (row 0 is the header), as set or typed.
QStringList rowTexts(const Grid *grid, int row);
// What the cells of a row show, picture formats applied.
QStringList rowShown(const Grid *grid, int row);

}  // namespace GridKeys
