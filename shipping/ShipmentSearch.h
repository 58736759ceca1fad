#pragma once
// The statements of the shipment navigator: the search over shipments by customer,
// ship-date range and order number, and the lines of one shipment.

#include <QDate>
#include <QString>
#include <QVector>

class Recordset;

struct ShipmentCriteria {
    QString customer;      // empty: every customer
    bool byShipDate = false;
    QDate startDate;       // both ends inclusive
    QDate endDate;
    QString orderNumber;   // any part of the order number; empty: every order
};

// The shipments matching the criteria, by customer and order number. Each criterion
// that is set adds one condition, the first after WHERE and the others after AND.
// The customer and the order-number fragment match exactly as typed: quotes and the
// Like pattern characters in them stand for themselves.
QString ShipmentSearchSql(const ShipmentCriteria &criteria);
// The same search for a list that reads its rows as they come into view: the shipment
// IDs in the search's order (shipments of one customer and order number by ID, as the
// search returns them), then the search's columns for a block of IDs, in any order.
QString ShipmentKeysSql(const ShipmentCriteria &criteria);
QString ShipmentsWithIdsSql(const QVector<qint64> &ids);

// The lines of one shipment with their order lines and styles, by item number.
QString ShipmentLinesSql(const QString &shipmentId);

// The ship-to address of a search row on one line: "ShipTo, Address1, Address2, City,
// State  Zip"; a null part is left out but its separator stays.
QString ShipToText(const Recordset &rs);
