#include "shipping/ShippingStore.h"

#include "data/Database.h"
#include "data/RecordId.h"
#include "data/SqlText.h"
#include "shipping/ShipmentSearch.h"

namespace ShippingStore {

namespace {

// The order's lines with what every shipment of the order has shipped of each.
const QString kOrderLines = QStringLiteral(
    "SELECT ItemNumber,OrderItems.Qty,SUM(ShipmentItems.Qty) AS Shipped, Style.Name,Style.Type,PriceEach,PriceExt "
    "FROM ((OrderItems LEFT JOIN ShipmentItems ON OrderItems.OrderID = ShipmentItems.OrderID AND "
    "OrderItems.ItemNumber = ShipmentItems.OrderLineItem) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) "
    "WHERE OrderItems.OrderID = ");
const QString kOrderLinesEnd = QStringLiteral(
    " GROUP BY ItemNumber,OrderItems.Qty,Style.Name,Style.Type,PriceEach,PriceExt ORDER BY ItemNumber ");

const QString kStoredShipment = QStringLiteral(
    "SELECT Shipments.Date,Orders.ID,Orders.OrderDate, Orders.Customer, Orders.OrderNumber, Orders.ShipTo, "
    "Orders.ShipToAddress1, Orders.ShipToAddress2, Orders.ShipToCity, Orders.ShipToState, Orders.ShipToZip "
    "FROM Shipments LEFT JOIN Orders ON Shipments.OrderID = Orders.ID WHERE Shipments.ID = ");

QString orderId(const QString &text) { return QString::number(RecordId::Require(text, QStringLiteral("an order"))); }
QString shipmentId(const QString &text) {
    return QString::number(RecordId::Require(text, QStringLiteral("a shipment")));
}
std::unique_ptr<Recordset> open(const QString &sql) { return AppDatabase().openRecordset(sql); }

}  // namespace

std::unique_ptr<Recordset> Customers() {
    return AppDatabase().openRecordset(QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer"),
                                       RecordsetType::ForwardOnly);
}

std::unique_ptr<Recordset> OpenOrders(const QString &customer) {
    return open(QStringLiteral("SELECT * FROM Orders WHERE Customer = '") + SqlText::Escaped(customer) +
                QStringLiteral("' AND Status = 'Open' ORDER BY OrderNumber"));
}

std::unique_ptr<Recordset> Order(const QString &id) {
    return open(QStringLiteral("SELECT * FROM Orders WHERE ID = ") + orderId(id));
}

std::unique_ptr<Recordset> OrderLines(const QString &id) { return open(kOrderLines + orderId(id) + kOrderLinesEnd); }

std::unique_ptr<Recordset> StoredShipment(const QString &id) { return open(kStoredShipment + shipmentId(id)); }

std::unique_ptr<Recordset> ShipmentItems(const QString &id) {
    return open(QStringLiteral("SELECT * FROM ShipmentItems WHERE ShipmentID = ") + shipmentId(id));
}

std::unique_ptr<Recordset> FindShipments(const ShipmentCriteria &criteria) {
    return AppDatabase().openRecordset(ShipmentSearchSql(criteria), RecordsetType::ForwardOnly);
}

std::unique_ptr<Recordset> FoundShipmentIds(const ShipmentCriteria &criteria) {
    return AppDatabase().openRecordset(ShipmentKeysSql(criteria), RecordsetType::ForwardOnly);
}

std::unique_ptr<Recordset> ShipmentsWithIds(const QVector<qint64> &ids) {
    return AppDatabase().openRecordset(ShipmentsWithIdsSql(ids), RecordsetType::ForwardOnly);
}

std::unique_ptr<Recordset> ShipmentLines(const QString &id) {
    return AppDatabase().openRecordset(ShipmentLinesSql(shipmentId(id)), RecordsetType::ForwardOnly);
}

}  // namespace ShippingStore
