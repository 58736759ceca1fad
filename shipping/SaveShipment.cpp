#include "shipping/SaveShipment.h"

#include "core/AppError.h"
#include "core/Values.h"
#include "data/Database.h"
#include "data/RecordId.h"
#include "data/RowWriter.h"
#include "orders/UpdateOrderStatus.h"

#include <QtGlobal>

namespace {

// The header row: a new shipment is appended and takes its ID from the database; a
// stored one is edited and keeps its order. Returns the ID and the order the lines
// belong to.
std::pair<qint64, QString> writeHeader(Database &db, const ShipmentToSave &shipment) {
    QString orderId;
    if (shipment.id.isEmpty()) {
        if (shipment.orderId.isEmpty())
            throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("A new shipment needs its order."));
        orderId = shipment.orderId;
        const qint64 id = AppendRow(db, QStringLiteral("SELECT TOP 1 *  FROM Shipments"), [&](Recordset &rs, bool) {
            rs.setField(QStringLiteral("OrderID"), orderId);
            rs.setField(QStringLiteral("Date"), shipment.date);
        });
        return {id, orderId};
    }
    const qint64 id = RecordId::Require(shipment.id, QStringLiteral("a shipment"));
    RowWriter(db, QStringLiteral("SELECT * FROM Shipments WHERE ID = ") + QString::number(id))
        .edit([&](Recordset &rs, bool) {
            orderId = rs.text(QStringLiteral("OrderID"));
            rs.setField(QStringLiteral("Date"), shipment.date);
        });
    return {id, orderId};
}

void writeLines(Database &db, qint64 id, const QString &orderId, const QVector<ShipmentLine> &lines) {
    db.execute(QStringLiteral("DELETE FROM ShipmentItems WHERE ShipmentID = ") + QString::number(id));
    RowWriter rows(db, QStringLiteral("SELECT TOP 1 * FROM ShipmentItems"));
    for (const ShipmentLine &line : lines) {
        // The stored quantity is the number the remainder check read, so "1,200" (read
        // as 1) cannot become 1200 shipped.
        const double qty = Values::Val(line.qty);
        if (qty == 0) continue;
        rows.add([&](Recordset &rs, bool) {
            rs.setField(QStringLiteral("ShipmentID"), id);
            rs.setField(QStringLiteral("OrderID"), orderId);
            rs.setField(QStringLiteral("OrderLineItem"), line.itemNumber);
            rs.setField(QStringLiteral("Qty"), Values::TypedNumber{qty, line.qty});
        });
    }
}

// Another clerk may have shipped the same order since this shipment's lines were shown:
// the order's row is held until this save ends (on a server the other save waits here),
// and a line this shipment would take past its ordered quantity is refused.
void holdOrder(Database &db, const QString &orderId) {
    db.execute(QStringLiteral("UPDATE Orders SET Status = Status WHERE ID = ") + orderId);
}

void refuseOverShipping(Database &db, const QString &orderId, const QVector<ShipmentLine> &lines) {
    const QVector<LineShipped> shipped = LinesShipped(db, orderId);
    for (const ShipmentLine &line : lines) {
        if (Values::Val(line.qty) <= 0) continue;
        for (const LineShipped &stored : shipped) {
            if (stored.itemNumber != line.itemNumber.toInt() || stored.shipped <= stored.ordered) continue;
            const double left = stored.ordered - (stored.shipped - Values::Val(line.qty));
            throw AppError(ErrorNumber::DatabaseBusy,
                           QStringLiteral("Line %1 has only %2 left to ship: another shipment of this order was saved "
                                          "meanwhile. Nothing was saved; open the order again to see what is left.")
                               .arg(line.itemNumber)
                               .arg(QString::number(qMax(0.0, left))));
        }
    }
}

}  // namespace

bool HasQuantities(const QVector<ShipmentLine> &lines) {
    for (const ShipmentLine &line : lines)
        if (Values::Val(line.qty) != 0) return true;
    return false;
}

qint64 SaveShipment(const ShipmentToSave &shipment) {
    Database &db = AppDatabase();
    Transaction transaction(db);
    const auto [id, orderId] = writeHeader(db, shipment);
    const QString order = QString::number(RecordId::Require(orderId, QStringLiteral("an order")));
    holdOrder(db, order);
    writeLines(db, id, orderId, shipment.lines);
    refuseOverShipping(db, order, shipment.lines);
    UpdateOrderStatus(orderId);
    transaction.commit();
    return id;
}
