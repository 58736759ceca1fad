#pragma once

#include <QString>

class Database;

// Sets an order "Closed" when every line has shipped at least its ordered quantity and
// "Open" otherwise, whatever its status was. Takes the order's ID as text.
void UpdateOrderStatus(const QString &orderId);

// The status that rule gives the order from its lines and shipments as they stand,
// "Closed" or "Open", without writing it (the plant check compares it with the stored one).
QString OrderStatusByShipments(Database &db, const QString &orderId);
