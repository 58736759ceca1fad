#pragma once
// Storing a shipment: its header, its lines and the status of the order it ships, as
// one unit. A shipment that fails half way leaves the file as it was, so no order is
// left with lines that do not match its status, and no shipment without its lines.

#include <QDate>
#include <QString>
#include <QVector>

// One line of the order as the clerk left it: the order line's item number and the
// quantity typed for this shipment (any text; its leading number counts).
struct ShipmentLine {
    QString itemNumber;
    QString qty;
};

struct ShipmentToSave {
    QString id;       // Shipments.ID of a stored shipment; empty for a new one
    QString orderId;  // the order a new shipment goes out against
    QDate date;
    QVector<ShipmentLine> lines;
};

// True when at least one line ships a quantity other than zero.
bool HasQuantities(const QVector<ShipmentLine> &lines);

// Writes the shipment and returns its ID, as SaveOrder returns the order's. A new shipment is appended against
// `orderId`; a stored one gets its new date and keeps the order it was made for,
// whatever `orderId` says. Its lines are replaced by one row for each line whose
// quantity is not zero, all against the shipment's order, and that order is then set
// Open or Closed by UpdateOrderStatus. Throws AppError, having written nothing, when
// any step fails.
qint64 SaveShipment(const ShipmentToSave &shipment);
