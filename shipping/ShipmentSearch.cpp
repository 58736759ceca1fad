#include "shipping/ShipmentSearch.h"

#include "data/Recordset.h"
#include "data/SqlText.h"

namespace {

const QString kSearch = QStringLiteral(
    "SELECT Shipments.ID,Shipments.Date,Orders.ID,Orders.Customer,Orders.OrderNumber,Orders.ShipTo,"
    "Orders.ShipToAddress1,Orders.ShipToAddress2,Orders.ShipToCity,Orders.ShipToState,Orders.ShipToZip "
    "FROM Shipments LEFT JOIN Orders ON Shipments.OrderID = Orders.ID ");

const QString kLines = QStringLiteral(
    "SELECT Shipments.ID,Shipments.Date,Orders.ID,Orders.Customer,Orders.OrderNumber,Orders.ShipTo,"
    "Orders.ShipToAddress1,Orders.ShipToAddress2,Orders.ShipToCity,Orders.ShipToState,Orders.ShipToZip,"
    "OrderItems.ItemNumber, OrderItems.Qty, ShipmentItems.Qty,Style.Name,Style.Type, OrderItems.PriceEach,"
    "OrderItems.PriceExt FROM ((((Shipments LEFT JOIN ShipmentItems ON Shipments.ID = ShipmentItems.ShipmentID) "
    "LEFT JOIN Orders ON Shipments.OrderID = Orders.ID) LEFT JOIN OrderItems ON ShipmentItems.OrderID = "
    "OrderItems.OrderID AND ShipmentItems.OrderLineItem = OrderItems.ItemNumber) LEFT JOIN Style ON "
    "OrderItems.StyleID = Style.ID) WHERE ShipmentID = ");

}  // namespace

namespace {

const QString kKeys = QStringLiteral("SELECT Shipments.ID FROM Shipments LEFT JOIN Orders ON Shipments.OrderID = Orders.ID ");
const QString kOrderBy = QStringLiteral(" ORDER BY Orders.Customer, Orders.OrderNumber");

// The conditions of the criteria given, the first after " WHERE " and the others after " AND ".
QString ShipmentConditions(const ShipmentCriteria &criteria) {
    QString sql;
    bool first = true;
    auto add = [&](const QString &condition) {
        sql += first ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        sql += condition;
        first = false;
    };
    if (!criteria.customer.isEmpty())
        add(QStringLiteral(" Orders.Customer = '") + SqlText::Escaped(criteria.customer) + QLatin1Char('\''));
    if (criteria.byShipDate)
        add(QStringLiteral(" Shipments.Date >= ") + SqlText::DateLiteral(criteria.startDate) +
            QStringLiteral(" AND Shipments.Date <= ") + SqlText::DateLiteral(criteria.endDate));
    if (!criteria.orderNumber.isEmpty())
        add(QStringLiteral(" Orders.OrderNumber Like '*") + SqlText::LikeFragment(criteria.orderNumber) +
            QStringLiteral("*'"));
    return sql;
}

}  // namespace

QString ShipmentSearchSql(const ShipmentCriteria &criteria) { return kSearch + ShipmentConditions(criteria) + kOrderBy; }

QString ShipmentKeysSql(const ShipmentCriteria &criteria) {
    return kKeys + ShipmentConditions(criteria) + kOrderBy + QStringLiteral(", Shipments.ID");
}

QString ShipmentsWithIdsSql(const QVector<qint64> &ids) {
    return kSearch + QStringLiteral("WHERE Shipments.ID IN (") + SqlText::IdList(ids) + QLatin1Char(')');
}

QString ShipmentLinesSql(const QString &shipmentId) {
    return kLines + shipmentId + QStringLiteral(" ORDER BY OrderLineItem");
}

QString ShipToText(const Recordset &rs) {
    // Built in one string: the navigator makes a line for each of thousands of shipments.
    QString line;
    line.reserve(96);
    for (const QString &column : {QStringLiteral("ShipTo"), QStringLiteral("ShipToAddress1"), QStringLiteral("ShipToAddress2"),
                                  QStringLiteral("ShipToCity")}) {
        line += rs.text(column);
        line += QLatin1String(", ");
    }
    line += rs.text(QStringLiteral("ShipToState"));
    line += QLatin1String("  ");
    line += rs.text(QStringLiteral("ShipToZip"));
    return line;
}
