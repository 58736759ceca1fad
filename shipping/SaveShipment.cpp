#include "shipping/SaveShipment.h"

#include "core/AppError.h"
#include "core/Values.h"
#include "data/Database.h"
#include "orders/UpdateOrderStatus.h"

namespace {

// The header row: a new shipment is appended and takes its ID from the database; a
// stored one is edited and keeps its order. Returns the ID and the order the lines
// belong to.
std::pair<QString, QString> writeHeader(Database &db, const ShipmentToSave &shipment) {
    QString id = shipment.id;
    QString orderId;
    std::unique_ptr<Recordset> rs;
    if (id.isEmpty()) {
        if (shipment.orderId.isEmpty())
            throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("A new shipment needs its order."));
        rs = db.openRecordset(QStringLiteral("SELECT TOP 1 *  FROM Shipments"));
        rs->addNew();
        id = rs->text(QStringLiteral("ID"));
        orderId = shipment.orderId;
        rs->setField(QStringLiteral("OrderID"), orderId);
    } else {
        rs = db.openRecordset(QStringLiteral("SELECT * FROM Shipments WHERE ID = ") + id);
        rs->edit();
        orderId = rs->text(QStringLiteral("OrderID"));
    }
    rs->setField(QStringLiteral("Date"), shipment.date);
    rs->update();
    rs->close();
    return {id, orderId};
}

void writeLines(Database &db, const QString &id, const QString &orderId, const QVector<ShipmentLine> &lines) {
    db.execute(QStringLiteral("DELETE FROM ShipmentItems WHERE ShipmentID = ") + id);
    auto rs = db.openRecordset(QStringLiteral("SELECT TOP 1 * FROM ShipmentItems"));
    for (const ShipmentLine &line : lines) {
        // The stored quantity is the number the remainder check read, so "1,200" (read
        // as 1) cannot become 1200 shipped.
        const double qty = Values::Val(line.qty);
        if (qty == 0) continue;
        rs->addNew();
        rs->setField(QStringLiteral("ShipmentID"), id);
        rs->setField(QStringLiteral("OrderID"), orderId);
        rs->setField(QStringLiteral("OrderLineItem"), line.itemNumber);
        rs->setField(QStringLiteral("Qty"), qty, line.qty);
        rs->update();
    }
    rs->close();
}

}  // namespace

bool HasQuantities(const QVector<ShipmentLine> &lines) {
    for (const ShipmentLine &line : lines)
        if (Values::Val(line.qty) != 0) return true;
    return false;
}

QString SaveShipment(const ShipmentToSave &shipment) {
    Database &db = AppDatabase();
    Transaction transaction(db);
    const auto [id, orderId] = writeHeader(db, shipment);
    writeLines(db, id, orderId, shipment.lines);
    UpdateOrderStatus(orderId);
    transaction.commit();
    return id;
}
