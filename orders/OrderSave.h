#pragma once
// Saving an order as the order window holds it: the Orders row and every one of its
// lines, written as one unit. Either the header and all its lines are stored, or, when
// anything fails part-way (a quantity the database cannot read, a lost connection),
// nothing is, and the window still holds what the clerk typed. The paperwork is printed
// by the caller once this has returned.

#include <QDate>
#include <QString>
#include <QVector>

// The header as the window shows it.
struct OrderHeader {
    QString id;           // Orders.ID of an order being changed; empty for a new order
    QString status;       // the status label; a new order is stored "Open" whatever it shows
    QString orderNumber;  // written only when the order is created
    QString customer;
    QDate orderDate;
    QDate dueDate;
    QString shipTo;
    QString shipToAddress1;
    QString shipToAddress2;
    QString shipToCity;
    QString shipToState;
    QString shipToZip;
    QString shipToPhone;
    QString shipToFax;
    QString total;        // the order total's text
};

// One line as the line grid holds it: the texts of its cells.
struct OrderLine {
    QString itemNumber;
    QString line;         // the customer's line reference
    QString qty;
    QString style;        // Name-Type, shown only
    QString priceEach;
    QString priceExt;
    QString styleId;
};

// Stores the header (a new row for a new order, the loaded row otherwise), replaces
// the order's lines by the given ones and returns the order's ID. DateAdded becomes
// today. Throws AppError, having written nothing, when a value cannot be stored: a
// line's text that is no number is reported with the line's item number and the text.
// A line that has shipments must stay: a save that would drop one is refused.
qint64 SaveOrder(const OrderHeader &header, const QVector<OrderLine> &lines);

// True when the customer already has an order with this number.
bool OrderNumberExists(const QString &orderNumber, const QString &customer);

// True when shipments have been recorded against the line of the stored order.
bool LineHasShipments(const QString &orderId, const QString &itemNumber);

// Refusal to delete a line that has been shipped, as the window shows it.
extern const QString ShippedLineMessage;
