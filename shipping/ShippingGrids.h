#pragma once
// How the shipping windows fill their grids: afresh with a header row, then every
// column centred and sized to its contents, shown at once.

#include "widgets/Grid.h"

#include <QStringList>

namespace ShippingGrids {

// No rows, the header's columns, the header row; the grid is not redrawn until Finish.
inline void Start(Grid *grid, const QStringList &header) {
    grid->setRedraw(false);
    grid->clear();
    grid->setCols(int(header.size()));
    grid->addItem(header);
}

inline void Finish(Grid *grid) {
    grid->setColAlignment(-1, Qt::AlignCenter);
    grid->autoSize();
    grid->setRedraw(true);
}

}  // namespace ShippingGrids
