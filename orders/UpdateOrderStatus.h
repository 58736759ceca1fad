#pragma once

#include <QString>
#include <QVector>

class Database;

// An order line's ordered quantity beside the sum shipped of it over all shipments.
struct LineShipped {
    int itemNumber = 0;
    double ordered = 0;
    double shipped = 0;  // 0 when never shipped
};
// Every line of the order with its shipped sum, as the status rule reads them.
QVector<LineShipped> LinesShipped(Database &db, const QString &orderId);

// Sets an order "Closed" when every line has shipped at least its ordered quantity and
// "Open" otherwise, whatever its status was. Takes the order's ID as text.
void UpdateOrderStatus(const QString &orderId);

// The status that rule gives the order from its lines and shipments as they stand,
// "Closed" or "Open", without writing it (the plant check compares it with the stored one).
QString OrderStatusByShipments(Database &db, const QString &orderId);
