#pragma once
// The rules for the quantity a clerk enters for one order line of a shipment. Cells are
// read by their leading number, an empty cell counting 0.

#include <QString>
#include <QVariant>

namespace ShipmentQuantities {

// What is left to ship of a line: ordered less shipped by the other shipments; never
// less than 0, so a line shipped in full, or over, has nothing left.
double Remaining(const QString &ordered, const QString &prevShipped);

// The "This Shipment" cell after the clerk typed `typed`: "0" when the text is not a
// number or is more than ordered less shipped before; otherwise the text as typed
// (zero and negative numbers included). No message is shown.
QString Checked(const QString &typed, const QString &ordered, const QString &prevShipped);

// A quantity as a cell shows it: a plain number without grouping ("8", "2.5").
QString Plain(double qty);
// A stored number as a cell shows it: plain, and empty for null.
QString Plain(const QVariant &stored);

}  // namespace ShipmentQuantities
