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
// IDs are looked up in a table by ID where they are dense, as auto-numbers are, and
// among the sorted IDs otherwise.
class OrderPlaces {
public:
    OrderPlaces() {
        auto orders = read(QStringLiteral("SELECT ID FROM Orders ORDER BY Customer,OrderNumber,ID"));
        for (int place = 0; !orders->eof(); orders->moveNext(), ++place)
            m_sparse.emplace_back(orders->field(QStringLiteral("ID")).toLongLong(), place);
        orders->close();
        const auto [lowest, highest] = std::minmax_element(m_sparse.begin(), m_sparse.end());
        if (!m_sparse.empty() && lowest->first >= 0 && highest->first < qint64(m_sparse.size()) * 4 + 1024) {
            m_dense.assign(size_t(highest->first) + 1, -1);
            for (const auto &[id, place] : m_sparse) m_dense[size_t(id)] = place;
            m_sparse.clear();
        }
        std::sort(m_sparse.begin(), m_sparse.end());
        auto alike = read(QStringLiteral(
            "SELECT Orders.ID, Alike.FirstID FROM Orders INNER JOIN (SELECT Customer, OrderNumber, MIN(ID) AS FirstID "
            "FROM Orders GROUP BY Customer, OrderNumber HAVING COUNT(*) > 1) AS Alike ON Orders.Customer = "
            "Alike.Customer AND Orders.OrderNumber = Alike.OrderNumber"));
        for (; !alike->eof(); alike->moveNext())
            if (int *place = find(alike->field(QStringLiteral("ID")).toLongLong()))
                *place = of(alike->field(QStringLiteral("FirstID")).toLongLong());
        alike->close();
    }

    int of(qint64 id) const {
        const int *place = const_cast<OrderPlaces *>(this)->find(id);
        return place ? *place : -1;
    }

private:
    static std::unique_ptr<Recordset> read(const QString &sql) {
        return AppDatabase().openRecordset(sql, RecordsetType::ForwardOnly);
    }
    int *find(qint64 id) {
        if (m_sparse.empty()) return id >= 0 && size_t(id) < m_dense.size() && m_dense[size_t(id)] >= 0 ? &m_dense[size_t(id)] : nullptr;
        auto at = std::lower_bound(m_sparse.begin(), m_sparse.end(), std::pair<qint64, int>(id, std::numeric_limits<int>::min()));
        return at != m_sparse.end() && at->first == id ? &at->second : nullptr;
    }

    std::vector<int> m_dense;                   // by ID, -1 where there is no order
    std::vector<std::pair<qint64, int>> m_sparse;  // (ID, place) by ID, where IDs are not dense
};

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
    const OrderPlaces places;
    std::vector<std::pair<int, qint64>> placed;  // the order's place (-1: no order), the shipment
    auto shipments = AppDatabase().openRecordset(QStringLiteral("SELECT ID,OrderID FROM Shipments"), RecordsetType::ForwardOnly);
    for (; !shipments->eof(); shipments->moveNext())
        placed.emplace_back(places.of(shipments->field(QStringLiteral("OrderID")).toLongLong()),
                            shipments->field(QStringLiteral("ID")).toLongLong());
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
