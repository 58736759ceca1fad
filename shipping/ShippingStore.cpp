#include "shipping/ShippingStore.h"

#include "data/Database.h"
#include "data/RecordId.h"
#include "data/SqlText.h"
#include "shipping/ShipmentSearch.h"

#include <algorithm>
#include <limits>
#include <vector>

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

std::unique_ptr<Recordset> SearchedShipmentIds(const ShipmentCriteria &criteria) {
    return AppDatabase().openRecordset(ShipmentKeysSql(criteria), RecordsetType::ForwardOnly);
}

namespace {

// Each order's place among the orders by customer and number, by order ID (-1: no such
// order). The places are read from the index of customer and number; orders of one
// customer and number, which the engine finds for itself, take the place of the first.
std::vector<int> OrderPlaces() {
    auto read = [](const QString &sql) { return AppDatabase().openRecordset(sql, RecordsetType::ForwardOnly); };
    std::vector<int> places;
    auto orders = read(QStringLiteral("SELECT ID FROM Orders ORDER BY Customer,OrderNumber,ID"));
    for (int place = 0; !orders->eof(); orders->moveNext(), ++place) {
        const qint64 id = orders->field(QStringLiteral("ID")).toLongLong();
        if (id < 0 || id >= std::numeric_limits<int>::max()) continue;
        if (size_t(id) >= places.size()) places.resize(size_t(id) + 1, -1);
        places[size_t(id)] = place;
    }
    orders->close();
    auto placeOf = [&](qint64 id) { return id >= 0 && size_t(id) < places.size() ? places[size_t(id)] : -1; };
    auto alike = read(QStringLiteral(
        "SELECT Orders.ID, Alike.FirstID FROM Orders INNER JOIN (SELECT Customer, OrderNumber, MIN(ID) AS FirstID "
        "FROM Orders GROUP BY Customer, OrderNumber HAVING COUNT(*) > 1) AS Alike ON Orders.Customer = Alike.Customer "
        "AND Orders.OrderNumber = Alike.OrderNumber"));
    for (; !alike->eof(); alike->moveNext()) {
        const qint64 id = alike->field(QStringLiteral("ID")).toLongLong();
        if (placeOf(id) >= 0) places[size_t(id)] = placeOf(alike->field(QStringLiteral("FirstID")).toLongLong());
    }
    alike->close();
    return places;
}

}  // namespace

QVector<qint64> FoundShipmentIds(const ShipmentCriteria &criteria) {
    const bool every = criteria.customer.isEmpty() && !criteria.byShipDate && criteria.orderNumber.isEmpty();
    QVector<qint64> ids;
    if (!every) {
        auto found = SearchedShipmentIds(criteria);
        for (; !found->eof(); found->moveNext()) ids.append(found->field(QStringLiteral("Shipments.ID")).toLongLong());
        found->close();
        return ids;
    }
    const std::vector<int> places = OrderPlaces();
    std::vector<std::pair<int, qint64>> placed;  // the order's place (-1: no order), the shipment
    auto shipments = AppDatabase().openRecordset(QStringLiteral("SELECT ID,OrderID FROM Shipments"), RecordsetType::ForwardOnly);
    for (; !shipments->eof(); shipments->moveNext()) {
        const qint64 order = shipments->field(QStringLiteral("OrderID")).toLongLong();
        const int place = order >= 0 && size_t(order) < places.size() ? places[size_t(order)] : -1;
        placed.emplace_back(place, shipments->field(QStringLiteral("ID")).toLongLong());
    }
    shipments->close();
    std::sort(placed.begin(), placed.end());
    ids.reserve(qsizetype(placed.size()));
    for (const auto &[place, id] : placed) ids.append(id);
    return ids;
}

std::unique_ptr<Recordset> ShipmentsWithIds(const QVector<qint64> &ids) {
    return AppDatabase().openRecordset(ShipmentsWithIdsSql(ids), RecordsetType::ForwardOnly);
}

std::unique_ptr<Recordset> ShipmentLines(const QString &id) {
    return AppDatabase().openRecordset(ShipmentLinesSql(shipmentId(id)), RecordsetType::ForwardOnly);
}

}  // namespace ShippingStore
