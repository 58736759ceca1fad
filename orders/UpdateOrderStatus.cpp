#include "orders/UpdateOrderStatus.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "data/RecordId.h"

void UpdateOrderStatus(const QString &orderIdText) {
    const QString orderId = QString::number(RecordId::Require(orderIdText, QStringLiteral("an order")));
    Database &db = AppDatabase();
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
    db.execute(QStringLiteral("UPDATE Orders SET Status = '") + (allShipped ? QStringLiteral("Closed") : QStringLiteral("Open")) +
               QStringLiteral("' WHERE ID = ") + orderId);
}
