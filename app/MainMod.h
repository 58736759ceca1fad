#pragma once
// Routines and flags shared by many windows.

#include <QString>

// Drops a temporary table; a failure (above all, the table not existing) is ignored.
void DropTable(const QString &table);

// Sets an order "Closed" when every line has shipped at least its ordered quantity and
// "Open" otherwise, whatever its status was. Takes the order's ID as text.
void UpdateOrderStatus(const QString &orderId);

// True while the matching navigator window is open; an entry window that closes asks
// the navigator to refresh its grids.
extern bool OrderNavigatorOpen;
extern bool ShipmentNavigatorOpen;
