#include "orders/UpdateOrderStatus.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "data/RecordId.h"

QVector<LineShipped> LinesShipped(Database &db, const QString &orderId) {
    auto rs = db.openRecordset(
        QStringLiteral("SELECT OrderItems.OrderID,ItemNumber,OrderItems.Qty AS Ordered,SUM(ShipmentItems.qty) As Shipped "
                       "From (OrderItems LEFT JOIN ShipmentItems ON OrderItems.OrderID = ShipmentItems.OrderID AND "
                       "OrderItems.ItemNumber = ShipmentItems.OrderLineItem) WHERE OrderItems.OrderID = ") +
        orderId + QStringLiteral(" Group By OrderItems.OrderID, ItemNumber,OrderItems.qty "));
    QVector<LineShipped> lines;
    for (; !rs->eof(); rs->moveNext())
        lines << LineShipped{rs->field(QStringLiteral("ItemNumber")).toInt(), rs->field(QStringLiteral("Ordered")).toDouble(),
                             rs->field(QStringLiteral("Shipped")).toDouble()};  // null counts as 0
    rs->close();
    return lines;
}

QString OrderStatusByShipments(Database &db, const QString &orderId) {
    for (const LineShipped &line : LinesShipped(db, orderId))
        if (line.shipped < line.ordered) return QStringLiteral("Open");
    return QStringLiteral("Closed");
}

void UpdateOrderStatus(const QString &orderIdText) {
    const QString orderId = QString::number(RecordId::Require(orderIdText, QStringLiteral("an order")));
    Database &db = AppDatabase();
    const QString status = OrderStatusByShipments(db, orderId);
    db.execute(QStringLiteral("UPDATE Orders SET Status = '") + status + QStringLiteral("' WHERE ID = ") + orderId);
}
