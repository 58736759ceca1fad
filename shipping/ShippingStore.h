#pragma once
// The shipping store: the statements and lookups the shipment windows run, beside the
// shipment save (SaveShipment.h) and the navigator's search texts (ShipmentSearch.h).
// Widget-free (quelby_core); the windows call these and never open a statement of their own.

#include <QString>
#include <QVector>
#include <memory>

class Recordset;
struct ShipmentCriteria;

namespace ShippingStore {

// Every customer, whatever its status, in name order (column Customer).
std::unique_ptr<Recordset> Customers();
// The customer's open orders by order number.
std::unique_ptr<Recordset> OpenOrders(const QString &customer);
// The Orders row of that ID.
std::unique_ptr<Recordset> Order(const QString &orderId);
// The order's lines with what every shipment of the order has shipped of each.
std::unique_ptr<Recordset> OrderLines(const QString &orderId);
// A stored shipment's date with its order's header.
std::unique_ptr<Recordset> StoredShipment(const QString &shipmentId);
// The stored lines of a shipment.
std::unique_ptr<Recordset> ShipmentItems(const QString &shipmentId);
// The navigator's shipments and the lines of one shipment.
std::unique_ptr<Recordset> FindShipments(const ShipmentCriteria &criteria);
// The navigator's shipments as its grid reads them while they come into view: their IDs
// in the search's order, then the search's columns for a block of them (in any order).
// Every shipment (no criterion) is put in order here by its order's place among the
// orders read from their index of customer and number, several times quicker on a large
// plant than the engine's sort of every shipment joined to its order; a shipment without
// an order comes first. Shipments of one customer and number follow each other by ID, as
// the search returns them.
QVector<qint64> FoundShipmentIds(const ShipmentCriteria &criteria);
// The IDs of the shipments the criteria find, in the search's order, from the engine.
std::unique_ptr<Recordset> SearchedShipmentIds(const ShipmentCriteria &criteria);
std::unique_ptr<Recordset> ShipmentsWithIds(const QVector<qint64> &ids);
std::unique_ptr<Recordset> ShipmentLines(const QString &shipmentId);

}  // namespace ShippingStore
