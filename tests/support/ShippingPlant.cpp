#include "tests/support/ShippingPlant.h"

#include "data/SqlText.h"

namespace ShippingPlant {

namespace {
QString n(double v) { return QString::number(v, 'g', 15); }
}  // namespace

qint64 addCustomer(const TestDatabase &db, const QString &customer) {
    const QString name = SqlText::Quoted(customer);
    db.exec("INSERT INTO Customer (Customer, Status) VALUES (" + name + ", 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Price, Status) VALUES (" + name + ", 'Seat', 'Sofa', 20, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Price, Status) VALUES (" + name + ", 'Arm', 'Chair', 10, 'Active')");
    return db.scalar("SELECT MAX(ID) FROM Style").toLongLong();
}

qint64 addOrder(const TestDatabase &db, const QString &customer, const QString &orderNumber,
                const QVector<Line> &lines, const QString &status, const QDate &orderDate) {
    const QString name = SqlText::Quoted(customer);
    const QString style = db.scalar("SELECT MAX(ID) FROM Style WHERE Customer = " + name).toString();
    db.exec("INSERT INTO Orders (OrderNumber, Customer, OrderDate, DueDate, Status, ShipTo, ShipToAddress1, "
            "ShipToCity, ShipToState, ShipToZip) VALUES (" + SqlText::Quoted(orderNumber) + ", " + name + ", " +
            SqlText::DateLiteral(orderDate) + ", " + SqlText::DateLiteral(orderDate.addDays(14)) + ", '" + status +
            "', 'Dock " + SqlText::Escaped(orderNumber) + "', '1 Mill Rd', 'Hickory', 'NC', '28601')");
    const qint64 id = db.scalar("SELECT MAX(ID) FROM Orders").toLongLong();
    for (const Line &l : lines)
        db.exec(QString("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) "
                        "VALUES (%1, %2, '', %3, %4, %5, %6)")
                    .arg(id).arg(l.item).arg(n(l.qty), style, n(l.priceEach), n(l.qty * l.priceEach)));
    return id;
}

qint64 addShipment(const TestDatabase &db, qint64 orderId, const QDate &date,
                   const QVector<std::pair<int, double>> &items) {
    db.exec(QString("INSERT INTO Shipments (OrderID, [Date]) VALUES (%1, %2)").arg(orderId).arg(SqlText::DateLiteral(date)));
    const qint64 id = db.scalar("SELECT MAX(ID) FROM Shipments").toLongLong();
    for (const auto &[item, qty] : items)
        db.exec(QString("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (%1, %2, %3, %4)")
                    .arg(id).arg(orderId).arg(item).arg(n(qty)));
    return id;
}

QString status(const TestDatabase &db, qint64 orderId) {
    return db.scalar(QString("SELECT Status FROM Orders WHERE ID = %1").arg(orderId)).toString();
}

QString lines(const TestDatabase &db, qint64 shipmentId) {
    const RowSet rows = db.query(
        QString("SELECT OrderLineItem, Qty FROM ShipmentItems WHERE ShipmentID = %1 ORDER BY OrderLineItem").arg(shipmentId));
    QStringList out;
    for (const auto &row : rows.rows) out << row.value(0).toString() + ":" + n(row.value(1).toDouble());
    return out.join(' ');
}

}  // namespace ShippingPlant
