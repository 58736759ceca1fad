#pragma once
// A small plant for the shipping tests: a customer with a style, orders with lines
// (item numbers as given, gaps allowed) and shipments against them, written with the
// desktop engine's statements into a TestDatabase.

#include "tests/support/Fixtures.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <utility>

namespace ShippingPlant {

struct Line {
    int item;
    double qty;
    double priceEach = 10;
};

// The customer with one style "Arm-Chair" (and a second, "Seat-Sofa"); returns the
// first style's ID.
qint64 addCustomer(const TestDatabase &db, const QString &customer);
// An order of the customer with its lines (all of the first style); returns its ID.
qint64 addOrder(const TestDatabase &db, const QString &customer, const QString &orderNumber,
                const QVector<Line> &lines, const QString &status = QStringLiteral("Open"),
                const QDate &orderDate = QDate(2026, 12, 1));
// A shipment of the order with (item number, quantity) rows; returns its ID.
qint64 addShipment(const TestDatabase &db, qint64 orderId, const QDate &date,
                   const QVector<std::pair<int, double>> &items);

QString status(const TestDatabase &db, qint64 orderId);
// The quantities stored for a shipment as "item:qty" in item order, e.g. "1:8 2:3".
QString lines(const TestDatabase &db, qint64 shipmentId);

}  // namespace ShippingPlant
