#include "orders/OrderSearch.h"

#include "data/Recordset.h"
#include "data/SqlText.h"

#include <QStringList>

namespace {

// The conditions of the criteria given, each after " WHERE " or " AND ".
QString OrderConditions(const OrderCriteria &c) {
    QStringList conditions;
    if (!c.customer.isEmpty())
        conditions << QStringLiteral(" Orders.Customer = '") + SqlText::Escaped(c.customer) + QLatin1Char('\'');
    if (!c.status.isEmpty())
        conditions << QStringLiteral(" Orders.Status = '") + SqlText::Escaped(c.status) + QLatin1Char('\'');
    if (c.byOrderDate)
        conditions << QStringLiteral(" Orders.OrderDate >= ") + SqlText::DateLiteral(c.startDate) +
                          QStringLiteral(" AND Orders.OrderDate <= ") + SqlText::DateLiteral(c.endDate);
    if (!c.orderNumber.isEmpty())
        conditions << QStringLiteral(" Orders.OrderNumber Like '*") + SqlText::LikeFragment(c.orderNumber) +
                          QStringLiteral("*'");
    QString sql;
    for (int i = 0; i < conditions.size(); ++i) sql += (i == 0 ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + conditions[i];
    return sql;
}

const QString kOrderBy = QStringLiteral(" ORDER BY Orders.Customer, Orders.OrderNumber");

}  // namespace

QString OrderSearchSql(const OrderCriteria &c) {
    return QStringLiteral("SELECT * FROM Orders") + OrderConditions(c) + kOrderBy;
}

QString OrderKeysSql(const OrderCriteria &c) {
    return QStringLiteral("SELECT Orders.ID FROM Orders") + OrderConditions(c) + kOrderBy + QStringLiteral(", Orders.ID");
}

QString OrderLinesSql(qint64 orderId) {
    return QStringLiteral(
               "SELECT ItemNumber,OrderItems.Qty,SUM(ShipmentItems.Qty) AS Shipped, Style.Name, Style.Type, "
               "PriceEach,PriceExt FROM ((OrderItems LEFT JOIN ShipmentItems ON OrderItems.OrderID = "
               "ShipmentItems.OrderID AND OrderItems.ItemNumber = ShipmentItems.OrderLineItem) LEFT JOIN Style ON "
               "OrderItems.StyleID = Style.ID) WHERE OrderItems.OrderID = ") +
           QString::number(orderId) +
           QStringLiteral(" GROUP BY ItemNumber,OrderItems.Qty,Style.Name,Style.Type,PriceEach,PriceExt");
}

QString ShipToLine(const Recordset &order) {
    // Built in one string: the navigator makes a line for each of thousands of orders.
    QString line;
    line.reserve(96);
    line += order.text(QStringLiteral("ShipTo"));
    line += QLatin1String(", ");
    line += order.text(QStringLiteral("ShipToAddress1"));
    line += QLatin1String(", ");
    const QString second = order.text(QStringLiteral("ShipToAddress2"));
    if (!second.isEmpty()) {
        line += second;
        line += QLatin1String(", ");
    }
    line += order.text(QStringLiteral("ShipToCity"));
    line += QLatin1String(", ");
    line += order.text(QStringLiteral("ShipToState"));
    line += QLatin1Char(' ');
    line += order.text(QStringLiteral("ShipToZip"));
    return line;
}
