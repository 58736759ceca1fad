#pragma once
// The order navigator's queries: the orders matching the clerk's criteria, and the
// lines of one order with what has been shipped of each.

#include <QDate>
#include <QString>

class Recordset;

// What the clerk asks for; an empty text or an unticked date range asks nothing.
struct OrderCriteria {
    QString customer;
    QString status;
    bool byOrderDate = false;
    QDate startDate;  // first and last order date, both included
    QDate endDate;
    QString orderNumber;  // found anywhere in the number, its characters taken literally
};

// SELECT * FROM Orders with one condition per criterion given, sorted by customer and
// order number.
QString OrderSearchSql(const OrderCriteria &criteria);
// The IDs of the same orders in the same order, for a list that reads their rows as they
// come into view; orders of one customer and number follow each other by ID, as the
// search returns them.
QString OrderKeysSql(const OrderCriteria &criteria);

// The lines of an order: item number, quantity ordered, the sum shipped over all
// shipments (null when never shipped), the style's name and type, the prices.
QString OrderLinesSql(qint64 orderId);

// The order's ship-to block on one line: "ShipTo, Address1, [Address2, ]City, State Zip".
QString ShipToLine(const Recordset &order);
