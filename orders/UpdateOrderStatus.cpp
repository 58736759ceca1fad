#include "orders/UpdateOrderStatus.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "data/RecordId.h"

QString OrderStatusByShipments(Database &db, const QString &orderId) {
    auto rs = db.openRecordset(
        QStringLiteral("SELECT OrderItems.OrderID,ItemNumber,OrderItems.Qty AS Ordered,SUM(ShipmentItems.qty) As Shipped "
                       "From (OrderItems LEFT JOIN ShipmentItems ON OrderItems.OrderID = ShipmentItems.OrderID AND "
                       "OrderItems.ItemNumber = ShipmentItems.OrderLineItem) WHERE OrderItems.OrderID = ") +
        orderId + QStringLiteral(" Group By OrderItems.OrderID, ItemNumber,OrderItems.qty "));
    bool allShipped = true;
    for (; !rs->eof(); rs->moveNext()) {
        const double shipped = rs->field(QStringLiteral("Shipped")).toDouble();  // null counts as 0
        const double ordered = rs->field(QStringLiteral("Ordered")).toDouble();
        if (shipped < ordered) allShipped = false;
    }
    rs->close();
    return allShipped ? QStringLiteral("Closed") : QStringLiteral("Open");
}

void UpdateOrderStatus(const QString &orderIdText) {
    const QString orderId = QString::number(RecordId::Require(orderIdText, QStringLiteral("an order")));
    Database &db = AppDatabase();
    const QString status = OrderStatusByShipments(db, orderId);
    db.execute(QStringLiteral("UPDATE Orders SET Status = '") + status + QStringLiteral("' WHERE ID = ") + orderId);
}
